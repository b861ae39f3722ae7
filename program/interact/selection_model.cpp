#include "interact/selection_model.h"

#include <algorithm>
#include <cctype>

namespace zan {

namespace {

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// f is already lower case.
bool ContainsNoCase(const std::string& text, const std::string& f)
{
    if (f.size() > text.size())
        return false;
    const auto hit = std::search(text.begin(), text.end(), f.begin(), f.end(),
                                 [](char a, char b) { return Lower(a) == b; });
    return hit != text.end();
}

} // namespace

std::string StorableText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    bool control = false;
    for (char c : text) {
        const bool isControl = static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
        if (isControl) {
            if (!control)
                out += ' ';  // a line break "\r\n" becomes one blank
        } else {
            out += c == '"' ? '\'' : c;
        }
        control = isControl;
    }
    out = Trim(out);
    if (out.size() > static_cast<size_t>(kNameLength))
        out = Trim(out.substr(0, kNameLength));
    return out;
}

std::string SelectionModel::Name(int var) const
{
    if (var < 1 || var > s_.nVar || !s_.VarTab.contains(var))
        return {};
    return Trim(s_.VarTab[var].Name);
}

void SelectionModel::FillAll(const std::string& filter)
{
    filter_ = Trim(filter);
    std::string f = filter_;
    std::transform(f.begin(), f.end(), f.begin(), Lower);
    items_.clear();
    const int n = std::min(s_.nVar, s_.VarTab.size());
    for (int i = 1; i <= n; ++i) {
        if (!f.empty() && !ContainsNoCase(s_.VarTab[i].Name, f))
            continue;
        items_.push_back({i, !(f.empty() && i == 1)});
    }
    ++itemsVersion_;
}

void SelectionModel::SelectItem(int index, bool on)
{
    if (index >= 0 && index < static_cast<int>(items_.size()))
        items_[static_cast<size_t>(index)].selected = on;
}

void SelectionModel::SelectAllItems()
{
    for (size_t i = 0; i < items_.size(); ++i)
        items_[i].selected = !(filter_.empty() && i == 0);
    ++itemsVersion_;
}

void SelectionModel::SelectRow(int index, bool on)
{
    if (index >= 0 && index < static_cast<int>(rows_.size()))
        rows_[static_cast<size_t>(index)].selected = on;
}

void SelectionModel::SetTitle(const std::string& text)
{
    title_ = text;
    applyEnabled_ = true;
}

void SelectionModel::EditRowTitle(int index, const std::string& text)
{
    if (index < 0 || index >= static_cast<int>(rows_.size()))
        return;
    rows_[static_cast<size_t>(index)].title = StorableText(text);
    applyEnabled_ = true;
}

SelRow SelectionModel::NewRow(const std::string& title, int var) const
{
    SelRow row;
    row.title = StorableText(title);
    row.nLine = 1;
    row.cells = {{Name(1), 1}, {Name(var), var}};
    return row;
}

void SelectionModel::FillSelected()
{
    title_ = Trim(s_.ScrTitle);
    rows_.clear();
    const int n = std::min(s_.nGrph, s_.GrphTab.size());
    rows_.reserve(static_cast<size_t>(std::max(n, 0)));
    for (int g = 1; g <= n; ++g) {
        const GraphRecord& r = s_.GrphTab[g];
        SelRow row;
        row.title = Trim(r.Title);
        row.nLine = std::clamp(r.nLine, 0, kMaxLines);
        row.cells.reserve(static_cast<size_t>(row.nLine) + 1);
        row.cells.push_back({Name(r.xVar), r.xVar});
        for (int j = 1; j <= row.nLine; ++j) {
            const int v = r.Lines[static_cast<size_t>(j)];
            row.cells.push_back({Name(v), v});
        }
        rows_.push_back(std::move(row));
    }
    ++rowsVersion_;
}

int SelectionModel::AddSelected()
{
    const bool hadRows = !rows_.empty();
    for (SelRow& row : rows_)
        row.selected = false;
    int last = -1;
    for (const SelItem& item : items_) {
        // A variable that vanished with a reload of the data is skipped.
        if (!item.selected || item.var < 1 || item.var > s_.nVar)
            continue;
        SelRow row = NewRow(Name(item.var), item.var);
        row.selected = hadRows;
        rows_.push_back(std::move(row));
        last = static_cast<int>(rows_.size()) - 1;
    }
    clearCaption_ = true;
    applyEnabled_ = true;
    ++rowsVersion_;
    return last;
}

void SelectionModel::Remove()
{
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const SelRow& r) { return r.selected; }),
                rows_.end());
    clearCaption_ = !rows_.empty();
    applyEnabled_ = !rows_.empty();
    ++rowsVersion_;
}

void SelectionModel::ClearOrReload()
{
    if (clearCaption_) {
        for (size_t i = 0; i < items_.size(); ++i)
            items_[i].selected = i != 0;
        rows_.clear();
        clearCaption_ = false;
        applyEnabled_ = false;
        ++itemsVersion_;
        ++rowsVersion_;
    } else {
        clearCaption_ = true;
        applyEnabled_ = true;
        FillSelected();
    }
}

bool SelectionModel::MayStartRename(const std::string& downText, const std::string& editText)
{
    return Trim(downText) == Trim(editText);
}

RenameResult SelectionModel::Rename(const std::string& editText, const std::string& newText)
{
    // The name is compared as it would be stored, so that two names never
    // become equal by the cut to 80 characters.
    const std::string t = StorableText(newText);
    const std::string old = Trim(editText);
    if (t.empty() || t == old) {
        applyEnabled_ = false;
        return RenameResult::Refused;
    }
    const int n = std::min(s_.nVar, s_.VarTab.size());
    int found = 0;
    int used = 0;
    for (int i = 1; i <= n; ++i) {
        const std::string name = Trim(s_.VarTab[i].Name);
        if (name == old)
            found = i;
        if (name == t)
            ++used;
    }
    if (used >= 1) {
        applyEnabled_ = false;
        return RenameResult::NameUsed;
    }
    if (found == 0)
        return RenameResult::NotFound;
    s_.VarTab[found].Name = t;
    FillAll(filter_);
    FillSelected();
    Retitle();
    applyEnabled_ = true;
    return RenameResult::Renamed;
}

void SelectionModel::Rebuild(SelRow& row) const
{
    std::string title;
    for (int j = 1; j <= row.nLine && j < static_cast<int>(row.cells.size()); ++j) {
        if (j > 1)
            title += ' ';
        title += row.cells[static_cast<size_t>(j)].text;
    }
    row.title = StorableText(title);
}

void SelectionModel::Retitle()
{
    for (size_t r = 0; r < rows_.size(); ++r) {
        Rebuild(rows_[r]);
        const int g = static_cast<int>(r) + 1;
        if (g <= s_.nGrph && s_.GrphTab.contains(g))
            s_.GrphTab[g].Title = rows_[r].title;
    }
    ++rowsVersion_;
}

bool SelectionModel::SameAsApplied() const
{
    if (static_cast<int>(rows_.size()) != s_.nGrph || s_.GrphTab.size() < s_.nGrph)
        return false;
    for (size_t r = 0; r < rows_.size(); ++r) {
        const SelRow& row = rows_[r];
        const GraphRecord& g = s_.GrphTab[static_cast<int>(r) + 1];
        if (row.nLine != g.nLine || row.cells[0].var != g.xVar || row.title != Trim(g.Title))
            return false;
        for (int j = 1; j <= row.nLine; ++j)
            if (row.cells[static_cast<size_t>(j)].var != g.Lines[static_cast<size_t>(j)])
                return false;
    }
    return true;
}

bool SelectionModel::RowsValid() const
{
    auto known = [this](int v) { return v >= 1 && v <= s_.nVar; };
    for (const SelRow& row : rows_) {
        if (row.nLine < 1 || row.nLine > kMaxLines || static_cast<int>(row.cells.size()) != row.nLine + 1)
            return false;
        for (const SelCell& c : row.cells)
            if (!known(c.var))
                return false;
    }
    return true;
}

bool SelectionModel::ApplySel()
{
    s_.ScrTitle = StorableText(title_);
    // An empty list, rows naming variables that no longer exist, or rows
    // equal to the graphs: the graph table stays as it is.
    if (rows_.empty() || !RowsValid() || SameAsApplied()) {
        applyEnabled_ = false;
        noApply_ = true;
        return false;
    }
    s_.nGrph = static_cast<int>(rows_.size());
    s_.GrphTab.assign(s_.nGrph);
    for (int g = 1; g <= s_.nGrph; ++g) {
        const SelRow& row = rows_[static_cast<size_t>(g - 1)];
        GraphRecord& r = s_.GrphTab[g];
        r.nLine = row.nLine;
        r.xVar = row.cells[0].var;
        for (int j = 1; j <= row.nLine; ++j)
            r.Lines[static_cast<size_t>(j)] = row.cells[static_cast<size_t>(j)].var;
        r.Title = StorableText(row.title);
    }
    // The page and the current graph stay within the new graphs.
    const int cells = std::max(s_.nCell, 1);
    const int pages = std::max((s_.nGrph + cells - 1) / cells, 1);
    s_.iPage = std::clamp(s_.iPage, 1, pages);
    s_.cGrph = std::clamp(s_.cGrph, 1, s_.nGrph);
    SetWind(s_);
    noApply_ = false;
    applyEnabled_ = true;
    return true;
}

void SelectionModel::Activate(const std::string& filter)
{
    FillAll(filter);
    FillSelected();
    noApply_ = false;
    clearCaption_ = true;
    applyEnabled_ = false;
}

} // namespace zan
