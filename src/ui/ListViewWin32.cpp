#include "ui/ListViewWin32.h"

#include <windowsx.h>

#include <algorithm>

#include "base/EncodingWin32.h"
#include "ui/CommonControlsWin32.h"
#include "ui/SubclassWin32.h"

namespace pilotune {

namespace {

int StateImage(UINT state) {
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

} // namespace

std::vector<ListViewEvent> ParseListViewNotify(const NMHDR& header) {
    std::vector<ListViewEvent> events;
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& nm = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!(nm.uChanged & LVIF_STATE) || nm.iItem < 0) break;
        const UINT changed = nm.uOldState ^ nm.uNewState;
        // Image 0 is "no check box yet": the row is being made.
        if ((changed & LVIS_STATEIMAGEMASK) && StateImage(nm.uOldState) != 0)
            events.push_back({ListViewEvent::Checked, nm.iItem, -1, StateImage(nm.uNewState) == 2});
        if (changed & LVIS_SELECTED)
            events.push_back(
                {ListViewEvent::Selected, nm.iItem, -1, (nm.uNewState & LVIS_SELECTED) != 0});
        break;
    }
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK: {
        const auto& nm = reinterpret_cast<const NMITEMACTIVATE&>(header);
        const auto kind = header.code == NM_CLICK    ? ListViewEvent::Click
                          : header.code == NM_DBLCLK ? ListViewEvent::DoubleClick
                                                     : ListViewEvent::RightClick;
        events.push_back({kind, nm.iItem, nm.iSubItem});
        break;
    }
    case LVN_KEYDOWN: {
        const auto& nm = reinterpret_cast<const NMLVKEYDOWN&>(header);
        events.push_back({ListViewEvent::Key, -1, -1, false, nm.wVKey});
        break;
    }
    case LVN_BEGINDRAG: {
        const auto& nm = reinterpret_cast<const NMLISTVIEW&>(header);
        events.push_back({ListViewEvent::BeginDrag, nm.iItem, nm.iSubItem});
        break;
    }
    }
    return events;
}

struct ListView::Quiet {
    explicit Quiet(ListView& v) : view(v) { ++view.quiet_; }
    ~Quiet() { --view.quiet_; }
    ListView& view;
};

void ListView::Create(Container& parent, const Rect& design, int id, unsigned anchors,
                      bool checkBoxes) {
    LoadCommonControls(ICC_LISTVIEW_CLASSES);
    hwnd = parent.AddControl(*this, WC_LISTVIEWW, "",
                             WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, design,
                             anchors, WS_EX_CLIENTEDGE, id);
    if (!hwnd) return;
    dpi_ = parent.Dpi();
    const DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | (checkBoxes ? LVS_EX_CHECKBOXES : 0);
    SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
    AttachSubclass(hwnd, &ListView::MouseProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void ListView::Create(Container& parent, const Rect& design, unsigned anchors, bool checkBoxes) {
    Create(parent, design, 0, anchors, checkBoxes);
}

bool ListView::Notify(const NMHDR& header, LRESULT& result) {
    result = 0;
    if (header.code == LVN_GETINFOTIPW) {
        auto& tip = const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(header));
        const std::wstring text = Widen(TipText(tip.iItem));
        if (tip.pszText && tip.cchTextMax > 0 && !text.empty())
            lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
        return true;
    }
    const std::vector<ListViewEvent> events = ParseListViewNotify(header);
    if (events.empty() && header.code != LVN_ITEMCHANGED) return false;
    if (quiet_ || !onEvent) return true;
    for (const ListViewEvent& e : events)
        onEvent(e);
    return true;
}

int ListView::ColumnCount() const {
    return Header_GetItemCount(ListView_GetHeader(hwnd));
}

void ListView::SetColumnWidths(const std::vector<int>& pixels) {
    for (int c = 0; c < ColumnCount() && c < static_cast<int>(pixels.size()); ++c)
        ListView_SetColumnWidth(hwnd, c, pixels[static_cast<size_t>(c)]);
}

std::vector<int> ListView::ColumnWidths() const {
    std::vector<int> widths;
    for (int c = 0; c < ColumnCount(); ++c)
        widths.push_back(ListView_GetColumnWidth(hwnd, c));
    return widths;
}

ListView::~ListView() {
    if (hwnd && IsWindow(hwnd)) DetachSubclass(hwnd, &ListView::MouseProc, 0);
}

// The list's own presses and moves, for the forms that drag rows: the list
// view tells its parent about neither.
LRESULT CALLBACK ListView::MouseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) {
    auto* view = reinterpret_cast<ListView*>(self);
    if (msg == WM_NCDESTROY) {
        DetachSubclass(hwnd, &ListView::MouseProc, 0);
    } else if ((msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE) && view->onEvent && !view->quiet_) {
        const bool down = msg == WM_LBUTTONDOWN;
        ListViewEvent e{down ? ListViewEvent::MouseDown : ListViewEvent::MouseMove};
        e.on = down || (wParam & MK_LBUTTON) != 0;
        e.y = GET_Y_LPARAM(lParam);
        view->onEvent(e);
    }
    return NextSubclassProc(hwnd, msg, wParam, lParam);
}

int ListView::AddColumn(std::string_view title, int designWidth) {
    std::wstring text = Widen(title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = ScaleToDpi(designWidth, dpi_);
    const int count = ColumnCount();
    column.iSubItem = count;
    return static_cast<int>(
        SendMessageW(hwnd, LVM_INSERTCOLUMNW, count, reinterpret_cast<LPARAM>(&column)));
}

int ListView::InsertRow(std::string_view text, int row, std::string_view hint) {
    Quiet quiet(*this);
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row < 0 ? Count() : row;
    item.pszText = wide.data();
    const int at =
        static_cast<int>(SendMessageW(hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (at >= 0) {
        const size_t place = std::min(static_cast<size_t>(at), hints_.size());
        hints_.insert(hints_.begin() + static_cast<std::ptrdiff_t>(place), std::string(hint));
    }
    return at;
}

void ListView::DeleteRow(int row) {
    Quiet quiet(*this);
    if (SendMessageW(hwnd, LVM_DELETEITEM, row, 0) && row >= 0 &&
        static_cast<size_t>(row) < hints_.size())
        hints_.erase(hints_.begin() + row);
}

void ListView::Clear() {
    Quiet quiet(*this);
    SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
    hints_.clear();
}

std::string ListView::Cell(int row, int column) const {
    // The list answers with as much as the buffer holds: a text that fills it
    // may be longer, so it is asked again with twice the room.
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const LRESULT n =
            SendMessageW(hwnd, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        if (n + 1 < static_cast<LRESULT>(buffer.size()) || buffer.size() >= (1u << 24)) {
            buffer.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
            return Narrow(buffer);
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

void ListView::SetCell(int row, int column, std::string_view text) {
    Quiet quiet(*this);
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(hwnd, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

bool ListView::Checked(int row) const {
    return StateImage(static_cast<UINT>(
               SendMessageW(hwnd, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK))) == 2;
}

void ListView::SetChecked(int row, bool checked) {
    Quiet quiet(*this);
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(hwnd, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int ListView::Selected() const {
    return static_cast<int>(SendMessageW(hwnd, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

void ListView::Select(int row) {
    Quiet quiet(*this);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageW(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (row < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageW(hwnd, LVM_ENSUREVISIBLE, row, FALSE);
}

std::string ListView::Hint(int row) const {
    return row >= 0 && static_cast<size_t>(row) < hints_.size() ? hints_[row] : std::string();
}

std::string ListView::TipText(int row) const {
    std::string text = Hint(row);
    if (!text.empty() || row < 0 || row >= Count()) return text;
    text = Cell(row, 0);
    for (int c = 1; c < ColumnCount(); ++c)
        text += " " + Cell(row, c);
    return text;
}

int ListView::RowAt(int y) const {
    LVHITTESTINFO hit{};
    hit.pt = {5, y};
    return static_cast<int>(SendMessageW(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

std::optional<int> ListView::RowTop(int row) const {
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (row < 0 || row >= Count() ||
        !SendMessageW(hwnd, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)))
        return std::nullopt;
    return r.top;
}

void ListView::SetHint(int row, std::string_view hint) {
    if (row >= 0 && static_cast<size_t>(row) < hints_.size()) hints_[row] = hint;
}

} // namespace pilotune
