#pragma once
// TPiconeBarreTache: the owner window's icon in the notification area, with its
// tip, mouse actions (show the program, pop up a menu), animation from an image
// list and blinking of the taskbar button; it controls the owner's taskbar
// button, can turn closing or minimising the owner into hiding it, and adds the
// icon again when the shell restarts ("TaskbarCreated").
#include <windows.h>

#include "base/HandleWin32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "components/PiconeBarreTache.h"
#include "ui/WindowWin32.h"

namespace pilotune {

class TPiconeBarreTache {
  public:
    using MouseButtonEvent = std::function<void(TPiconeBarreTache& sender, BoutonSouris button,
                                                BoutonSouris shift, int x, int y)>;
    using MouseMoveEvent =
        std::function<void(TPiconeBarreTache& sender, BoutonSouris shift, int x, int y)>;
    using NotifyEvent = std::function<void(TPiconeBarreTache& sender)>;
    // The shell call; tests may put a tap in front of the real one.
    using Notifier = std::function<BOOL(DWORD action, NOTIFYICONDATAW* data)>;

    // `owner`: the program's main window, which the component follows until
    // its own destruction (or the owner's).
    explicit TPiconeBarreTache(HWND owner, Notifier notifier = Shell_NotifyIconW);
    ~TPiconeBarreTache();
    TPiconeBarreTache(const TPiconeBarreTache&) = delete;
    TPiconeBarreTache& operator=(const TPiconeBarreTache&) = delete;

    // Once the owner has set the properties: adds the icon when
    // PetiteIconeVisible, shows image NumIconeImageList.
    void Loaded();

    // Pops the menu up at the screen point; empty: no menu.
    std::function<void(POINT screen)> MenuPop;
    bool ReduireSiFin = false;
    bool CacherSiMinimize = false;
    bool OuvreSiClicGauche = true;
    bool OuvreSiDblClick = false;
    bool MenuSiClicDroit = true;
    bool MenuSiClicGauche = false;
    HIMAGELIST ImageList = nullptr; // not owned
    MouseButtonEvent OnMouseDown, OnMouseUp;
    MouseMoveEvent OnMouseMove;
    NotifyEvent OnDblClick;

    bool PetiteIconeVisible() const { return petiteVisible_; }
    void SetPetiteIconeVisible(bool value);
    bool GrandeIconeVisible() const { return grandeVisible_; }
    void SetGrandeIconeVisible(bool value);
    bool ApplicationCachee() const { return cachee_; }
    void SetApplicationCachee(bool value);
    HICON Icone() const { return icone_.Get(); }
    void SetIcone(HICON icon); // copied
    // Loads the icon file into Icone; throws std::runtime_error when it cannot.
    void SetIconeFileName(const std::string& path);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    const std::string& OrdreImageListAffiche() const { return ordre_.Texte(); }
    // Throws ExceptionNumsImageLIstAffiche for anything but digits and commas.
    void SetOrdreImageListAffiche(const std::string& value) { ordre_.Definir(value); }
    void SetIntervalAnimation(int ms);
    bool Animation() const { return animation_; }
    void SetAnimation(bool value);
    int NumIconeImageList() const { return numImage_; }
    void SetNumIconeImageList(int index);
    void SetIntervalGrandeIconeBlink(int ms);
    bool GrandeIconBlink() const { return blink_; }
    void SetGrandeIconBlink(bool value);

    // The window that receives the icon's callback message and "TaskbarCreated".
    HWND HandleWindow() const { return window_.Handle(); }
    bool IconeAffichee() const { return shown_; }

  private:
    class TPourHandle final : public Window {
      public:
        explicit TPourHandle(TPiconeBarreTache& owner) : owner_(owner) {}

      protected:
        LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

      private:
        TPiconeBarreTache& owner_;
    };
    static LRESULT CALLBACK OwnerProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnOwnerMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    void AjouterIcone();
    void Modifier();
    void Callback(unsigned mouse);
    void CacherApplication();
    void MontrerApplication();
    void AfficherImage(int index);
    void Animer();
    void ArreterClignotement();
    void AppliquerBoutonTaches();
    void Detacher();

    TPourHandle window_{*this};
    HWND owner_ = nullptr;
    Notifier notifier_;
    NOTIFYICONDATAW data_{};
    UINT taskbarCreated_ = 0;
    IconHandle icone_;
    std::string hint_;
    OrdreAnimation ordre_;
    bool shown_ = false;
    bool loaded_ = false;
    bool petiteVisible_ = false;
    bool grandeVisible_ = true;
    bool cachee_ = false;
    bool animation_ = false;
    bool blink_ = false;
    int numImage_ = 0;
    int derniereImage_ = 0;
    UINT intervalAnimation_ = 1000;
    UINT intervalBlink_ = 1000;
    bool topmost_ = false; // the owner's style as last seen
};

} // namespace pilotune
