// The working copy behind the variable selection window: the variable list
// (filtered by the search text) and the graph rows, edited here and written
// back to GrphTab and ScrTitle only by ApplySel. Plain C++ over the Session;
// the window only shows it and forwards events.
#pragma once

#include "session/session_state.h"

#include <string>
#include <vector>

namespace zan {

// One cell of a graph row: the name shown and the variable it stands for.
struct SelCell {
    std::string text;
    int var = 0;
};

// One graph row. cells[0] is the x variable (column "X"), cells[j] line j
// (column "Yj"); a row holds exactly nLine + 1 cells.
struct SelRow {
    std::string title;
    int nLine = 0;
    std::vector<SelCell> cells;
    bool selected = false;
};

// One entry of the variable list.
struct SelItem {
    int var = 0;
    bool selected = false;
};

// Outcome of the end of a variable's label edit.
enum class RenameResult {
    Refused,   // empty or unchanged: the old label stays
    NameUsed,  // another variable has that name: "Name already used."
    Renamed,   // stored; both lists reloaded and the titles rebuilt
    NotFound,  // the edited label names no variable any more: nothing changes
};

// Names and titles are stored on one line of the settings file inside double
// quotes: a run of line breaks or other control characters becomes one
// blank, double quotes become single ones, the text is trimmed and cut to
// 80 characters.
std::string StorableText(const std::string& text);

class SelectionModel {
public:
    explicit SelectionModel(Session& s) : s_(s) {}
    const Session& session() const { return s_; }

    // ---- variable list ----
    const std::vector<SelItem>& items() const { return items_; }
    // Trimmed name of a variable, empty for a number outside 1..nVar.
    std::string Name(int var) const;
    // Refills the list with the variables whose names contain the trimmed
    // filter in any letter case, all selected; with no filter every
    // variable but the time.
    void FillAll(const std::string& filter);
    const std::string& filter() const { return filter_; }
    void SelectItem(int index, bool on);
    // Header click of the variable list: with no filter all but the first,
    // with one every item.
    void SelectAllItems();

    // ---- graph rows ----
    const std::vector<SelRow>& rows() const { return rows_; }
    void SelectRow(int index, bool on);
    // The screen title box.
    const std::string& title() const { return title_; }
    void SetTitle(const std::string& text);
    // A row's title typed in place.
    void EditRowTitle(int index, const std::string& text);

    // The rows and the title box from the applied state.
    void FillSelected();
    // One new graph per selected variable, the time as x. Returns the last
    // new row's index (from 0), or -1 when nothing was added.
    int AddSelected();
    void Remove();
    // "Clear" empties the rows; "Reload" brings back the applied graphs.
    void ClearOrReload();
    bool clearCaption() const { return clearCaption_; }  // "Clear", else "Reload"

    // Label edit of the variable list: may it start, given the label selected
    // at the mouse press and the label about to be edited?
    static bool MayStartRename(const std::string& downText, const std::string& editText);
    RenameResult Rename(const std::string& editText, const std::string& newText);
    // Every row's title from its line names, also into GrphTab.
    void Retitle();

    // Writes title and rows back when they differ. Returns true when the
    // graph table was rebuilt.
    bool ApplySel();

    // ---- editing of cells and row order ----
    // Click on header h of the graph list (0 "Select", 1 "X", j + 1 "Yj").
    void HeaderClick(int h);
    // Drop of the selected variables on row pos (from 0; -1 or past the end
    // for the empty area). newRow: the drag was started with the left
    // button; ctrl: Ctrl was held. Returns the row to show, or -1.
    int Drop(int pos, bool newRow, bool ctrl);
    // The selected rows move as one block one place up or down. Return the
    // row to show, or -1 when nothing is selected.
    int MoveUp();
    int MoveDown();

    // ---- window state ----
    bool applyEnabled() const { return applyEnabled_; }
    void SetApplyEnabled(bool on) { applyEnabled_ = on; }
    bool noApply() const { return noApply_; }
    void SetNoApply(bool on) { noApply_ = on; }
    // Activation of the window: both lists from the applied state, the
    // variable list filtered by the search box text.
    void Activate(const std::string& filter);
    // Counts changes of the item list and of the row list, so that a view
    // knows when to reload.
    int itemsVersion() const { return itemsVersion_; }
    int rowsVersion() const { return rowsVersion_; }

private:
    SelRow NewRow(const std::string& title, int var) const;
    void Rebuild(SelRow& row) const;
    bool SameAsApplied() const;
    bool RowsValid() const;

    Session& s_;
    std::vector<SelItem> items_;
    std::vector<SelRow> rows_;
    std::string filter_;
    std::string title_;
    bool clearCaption_ = true;
    bool applyEnabled_ = false;
    bool noApply_ = false;
    int itemsVersion_ = 0;
    int rowsVersion_ = 0;
};

} // namespace zan
