#pragma once
// A page of the options dialog, as the dialog sees every page: its button
// (caption and picture), its help context, and the four steps of its life.
// The dialog makes each page object once, from the page table, and builds
// its controls when the page is first shown or needed.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "options/ListGesturesWin32.h"
#include "ui/PanelWin32.h"

namespace pilotune {

class COption;
class CPlanification;
class ListCopyHost;
class OptionsPage;
class SettingsStore;
class TPilotune;

// Key capture: on with a target for the key texts, off with none.
using KeyCapture = std::function<void(bool on, std::function<void(const std::string&)> target)>;

// What the dialog asks of the program.
struct OptionsHost {
    std::function<void()> applySettings;       // the bar applies COption
    std::function<void(bool on)> applying;     // Apply writes COption from the pages
    std::function<void(int context)> showHelp; // the help file at a context
    KeyCapture capture;                        // the bar's hook feeds the key box
    TPilotune* player = nullptr;               // the playlist of the track pages
    std::function<void()> restartReplay;       // LECTUREPROGRAMME, mode flag true
    ListCopyHost* copies = nullptr;            // runs the list copy
};

// The pages of the open dialog, for a page that needs another one.
class PageDirectory {
  public:
    // The page of kind P with its controls made and filled; null when the
    // dialog has none.
    template <class P> P* Ready() {
        for (std::size_t i = 0; i < PageCount(); ++i)
            if (auto* page = dynamic_cast<P*>(&PageAt(i))) {
                BuildPage(i);
                return page;
            }
        return nullptr;
    }

  protected:
    ~PageDirectory() = default;
    virtual std::size_t PageCount() const = 0;
    virtual OptionsPage& PageAt(std::size_t index) = 0;
    virtual void BuildPage(std::size_t index) = 0;
};

// What every page is given.
struct PageContext {
    Container& dialog; // the owner of the page's boxes and menus
    SettingsStore& store;
    COption& option;
    CPlanification& plan;
    const OptionsHost& host;
    PageDirectory& pages;
    std::function<void()> changed;                     // enables "Appliquer"
    std::function<void(const ListCommands&)> showMenu; // the list menu, at the pointer
};

class OptionsPage {
  public:
    virtual ~OptionsPage() = default;
    // Its button's text, also shown in the dialog's caption.
    virtual std::string_view Caption() const = 0;
    virtual int HelpContext() const = 0;
    // Its button's picture, drawn into `r` at `dpi`.
    virtual void DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const = 0;
    // Makes the controls on `page`.
    virtual void Build(Panel& page) = 0;
    // Shows the settings as they are; no change for "Appliquer".
    virtual void Fill() = 0;
    // Hands the page's settings back (Ok, Appliquer).
    virtual void Apply() = 0;
    // Shows the default settings ("Défaut"); nothing is applied yet.
    virtual void Defaults() = 0;
    // The settings as read want a save even unchanged (the dialog opens
    // with "Appliquer" on).
    virtual bool WantsSave() const { return false; }
    // The dialog's window is going.
    virtual void Closing() {}
};

// One entry of the page table: makes the page object.
using PageFactory = std::unique_ptr<OptionsPage> (*)(PageContext& context);
template <class P> std::unique_ptr<OptionsPage> MakePage(PageContext& context) {
    return std::make_unique<P>(context);
}

} // namespace pilotune
