#pragma once
// A report-style list view: columns, rows with check boxes, sub-item texts,
// one selection, a hint per row, and the user's actions as parsed events.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct ListViewEvent {
    // MouseDown (a left press) and MouseMove come from the list's own window:
    // `y` in its client pixels, `on` while the left button is held.
    enum Kind {
        Checked,
        Selected,
        Click,
        DoubleClick,
        RightClick,
        Key,
        BeginDrag,
        MouseDown,
        MouseMove
    };
    Kind kind;
    int row = -1;    // -1: no row (a click beside the rows)
    int column = -1; // clicks
    bool on = false; // Checked: ticked; Selected: selected; MouseMove: left button held
    WORD key = 0;    // Key: the virtual key
    int y = 0;       // MouseDown, MouseMove
    bool operator==(const ListViewEvent&) const = default;
};

// The events of one notification of a list view (an LVN_ITEMCHANGED may carry
// a check and a selection change at once); none for the others.
std::vector<ListViewEvent> ParseListViewNotify(const NMHDR& header);

class ListView : public Control {
  public:
    ListView() = default;
    ~ListView() override;

    void Create(Container& parent, const Rect& design, int id, unsigned anchors = kAnchorAll,
                bool checkBoxes = true);
    void Create(Container& parent, const Rect& design, unsigned anchors = kAnchorAll,
                bool checkBoxes = true);
    int AddColumn(std::string_view title, int designWidth);
    // Inserts a row before `row` (-1: at the end); returns its index.
    int InsertRow(std::string_view text, int row = -1, std::string_view hint = {});
    void DeleteRow(int row);
    void Clear();
    int Count() const { return static_cast<int>(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0)); }
    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, std::string_view text);
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);
    int Selected() const; // the first selected row, -1 for none
    void Select(int row); // -1: none; the row is focused and scrolled into view
    std::string Hint(int row) const;
    void SetHint(int row, std::string_view hint);
    // What the row's tip shows: its own hint, or else its caption followed by
    // one blank and the text of each further column.
    std::string TipText(int row) const;
    // The top of `row` in the list's client pixels; nullopt for no such row.
    std::optional<int> RowTop(int row) const;
    // The row at height `y` (client pixels), beside the check box; -1 for none.
    int RowAt(int y) const;

    // Stored column widths, in pixels as the list shows them; a missing one
    // (none stored) keeps the column's design width.
    void SetColumnWidths(const std::vector<int>& pixels);
    std::vector<int> ColumnWidths() const;
    int ColumnCount() const;
    // Drawing off while rows are put in (Redraw(false)), then on (Redraw(true)).
    void Redraw(bool on) const { SendMessageW(hwnd, WM_SETREDRAW, on, 0); }

    // What the user does; changes made through the verbs above are not reported.
    std::function<void(const ListViewEvent&)> onEvent;
    bool Notify(const NMHDR& header, LRESULT& result) override;

  private:
    static LRESULT CALLBACK MouseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    struct Quiet;
    int quiet_ = 0;
    int dpi_ = 96;
    std::vector<std::string> hints_; // one per row
};

} // namespace pilotune
