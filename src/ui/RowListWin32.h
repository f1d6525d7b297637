#pragma once
// A list view that shows a vector of typed rows: the rows are the data, the
// list view only their view. The gestures every list shares (delete, move,
// clear) go through ListRows, which keeps both in step.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/ListViewWin32.h"

namespace pilotune {

class ListRows {
  public:
    virtual ~ListRows() = default;
    ListView view;
    int Count() const { return view.Count(); }
    int Selected() const { return view.Selected(); }
    virtual void Erase(int row) = 0;
    virtual void EraseAll() = 0;
    // Moves row `from` to `to` (the others close up), selected.
    virtual void Move(int from, int to) = 0;
    // The user ticked or cleared a row's box.
    virtual void Ticked(int row, bool on) = 0;
};

// `Row` may have a `bool checked` shown as the row's box.
template <class Row> class RowList final : public ListRows {
  public:
    // The texts of a row's columns.
    using Cells = std::function<std::vector<std::string>(const Row&)>;
    explicit RowList(Cells cells) : cells_(std::move(cells)) {}

    const std::vector<Row>& Rows() const { return rows_; }
    const Row& operator[](int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    // The row, changed in place: Show(row) then shows what changed.
    Row& At(int row) { return rows_.at(static_cast<std::size_t>(row)); }
    void Show(int row) {
        const std::vector<std::string> cells = cells_(rows_.at(static_cast<std::size_t>(row)));
        for (std::size_t c = 0; c < cells.size(); ++c)
            view.SetCell(row, static_cast<int>(c), cells[c]);
        if constexpr (requires(Row r) { r.checked; })
            view.SetChecked(row, rows_[static_cast<std::size_t>(row)].checked);
    }
    void Add(Row row) { Insert(Count(), std::move(row)); }
    void Set(std::vector<Row> rows) {
        view.Redraw(false);
        EraseAll();
        for (Row& row : rows)
            Add(std::move(row));
        view.Redraw(true);
    }
    void Erase(int row) override {
        if (row < 0 || row >= static_cast<int>(rows_.size())) return;
        rows_.erase(rows_.begin() + row);
        view.DeleteRow(row);
    }
    void EraseAll() override {
        rows_.clear();
        view.Clear();
    }
    void Move(int from, int to) override {
        const int count = static_cast<int>(rows_.size());
        if (from < 0 || to < 0 || from >= count || to >= count || from == to) return;
        Row row = std::move(rows_[static_cast<std::size_t>(from)]);
        const std::string hint = view.Hint(from);
        view.Redraw(false);
        rows_.erase(rows_.begin() + from);
        view.DeleteRow(from);
        Insert(to, std::move(row), hint);
        view.Select(to);
        view.Redraw(true);
        InvalidateRect(view.Handle(), nullptr, TRUE);
    }
    void Ticked(int row, bool on) override {
        if constexpr (requires(Row r) { r.checked; })
            if (row >= 0 && row < static_cast<int>(rows_.size()))
                rows_[static_cast<std::size_t>(row)].checked = on;
    }

  private:
    void Insert(int at, Row row, const std::string& hint = {}) {
        rows_.insert(rows_.begin() + at, std::move(row));
        view.InsertRow("", at, hint);
        Show(at);
    }

    Cells cells_;
    std::vector<Row> rows_;
};

} // namespace pilotune
