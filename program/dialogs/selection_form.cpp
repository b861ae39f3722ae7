#include "dialogs/selection_form.h"

#include <algorithm>
#include <cmath>

namespace zan {

namespace {

constexpr int kSearchDelay = 220;
constexpr int kFitDelay = 300;
constexpr int kRepeatFirst = 500;
constexpr int kRepeatNext = 110;
constexpr double kDragDistance = 90;  // twips

} // namespace

SelectionLayout LayOutSelection(double W, double H)
{
    SelectionLayout l;
    l.list1 = {240, 240, std::max((W - 720) / 5, 0.0), std::max(H - 1845, 0.0)};
    l.list2 = {l.list1.left + l.list1.width + 240, 450, std::max((W - 720) * 4 / 5 - 240, 0.0),
               std::max(H - 1800, 0.0)};
    const double rowTop = l.list2.top + l.list2.height + 180;
    const double buttonHeight = 375;
    l.add = {l.list1.left, rowTop, l.list1.width, buttonHeight};
    const double fifth = l.list2.width / 5;
    for (int k = 0; k < 5; ++k)
        l.buttons[k] = {l.list2.left + k * (fifth + 48), rowTop, std::max(fifth - 192, 0.0), buttonHeight};
    l.search = {l.add.left, rowTop - 480, l.list1.width + 30, 285};
    l.title = {l.list2.left, 165, l.list2.width + 30, 285};
    l.upDown = {l.list2.left - 225, l.list2.top + l.list2.height / 2 - 240, 225, 480};
    return l;
}

double FitColumnWidth(double listWidth, double current, double tx, int scrollBarPixels, bool scrolls)
{
    const double w = scrolls ? scrollBarPixels : 0;
    const double width = std::max(listWidth - (w + 4) * tx, 0.0);
    return std::abs(width - current) > tx ? width : current;
}

FramePlacement PlaceSelection(const Session& s, const ScreenArea& screen)
{
    return PlaceFrame(kNormalState, s.iStop, s.iSlft, screen);
}

void DragGesture::Press(double x, double y)
{
    xDown = x;
    yDown = y;
    lDrag = true;
    lNewRow = false;
    lCtrl = false;
}

bool DragGesture::Move(double x, double y, bool leftHeld, bool ctrlHeld)
{
    if (!lDrag)
        return false;
    if (leftHeld)
        lNewRow = true;
    if (ctrlHeld)
        lCtrl = true;
    if (std::abs(x - xDown) > kDragDistance || std::abs(y - yDown) > kDragDistance) {
        lDrag = false;
        return true;
    }
    return false;
}

SelectionForm::SelectionForm(Session& s, MessageBox& box, Timer& timer1, Timer& timer2, Timer& timer3)
    : s_(s), box_(box), timer1_(timer1), timer2_(timer2), timer3_(timer3), model_(s)
{
    timer1_.setInterval(kSearchDelay);
    timer2_.setInterval(kRepeatFirst);
    timer3_.setInterval(kFitDelay);
    timer1_.onTick([this] { RunSearch(); });
    timer2_.onTick([this] {
        StepRepeat();
        timer2_.setInterval(kRepeatNext);
    });
    timer3_.onTick([this] {
        timer3_.setEnabled(false);
        if (onFitColumn)
            onFitColumn();
    });
}

void SelectionForm::Changed(int row)
{
    if (onChanged)
        onChanged(row);
}

void SelectionForm::Load()
{
    model_.SetApplyEnabled(false);
    model_.SetNoApply(false);
    timer1_.setEnabled(false);
    timer2_.setEnabled(false);
    timer3_.setEnabled(true);
    drag_ = DragGesture{};
    lDown_ = false;
    lInKey_ = false;
    sDownTxt_.clear();
}

void SelectionForm::Activate(const std::string& search)
{
    search_ = search;
    model_.Activate(search);
    drag_.lDrag = false;
    drag_.lNewRow = false;
    drag_.lCtrl = false;
    Changed();
}

void SelectionForm::Resized()
{
    timer3_.setEnabled(true);
}

void SelectionForm::SearchChanged(const std::string& text)
{
    search_ = text;
    timer1_.setEnabled(true);
}

void SelectionForm::RunSearch()
{
    timer1_.setEnabled(false);
    model_.FillAll(search_);
    Changed();
    timer3_.setEnabled(true);
}

void SelectionForm::SettleSearch()
{
    if (timer1_.isEnabled())
        RunSearch();
}

void SelectionForm::Add()
{
    SettleSearch();
    AddShown();
}

void SelectionForm::AddShown()
{
    drag_.lDrag = false;
    Changed(model_.AddSelected());
}

void SelectionForm::Remove()
{
    model_.Remove();
    Changed();
}

void SelectionForm::ClearOrReload()
{
    model_.ClearOrReload();
    Changed();
}

void SelectionForm::Apply()
{
    SettleSearch();
    model_.ApplySel();
    if (onRedrawPlot)
        onRedrawPlot();
    model_.SetApplyEnabled(false);
    Changed();
}

void SelectionForm::Close()
{
    model_.SetNoApply(false);
    if (onUnload)
        onUnload();
}

void SelectionForm::Cancel()
{
    model_.SetNoApply(true);
    if (onUnload)
        onUnload();
}

bool SelectionForm::Escape()
{
    if (lInKey_)
        return true;
    lInKey_ = true;
    model_.SetNoApply(true);
    if (onUnload)
        onUnload();
    lInKey_ = false;
    return true;
}

void SelectionForm::Unload(double top, double left)
{
    timer1_.setEnabled(false);
    timer2_.setEnabled(false);
    timer3_.setEnabled(false);
    s_.iStop = static_cast<int>(std::lround(top));
    s_.iSlft = static_cast<int>(std::lround(left));
    if (model_.noApply())
        return;
    model_.ApplySel();
    if (!model_.noApply() && onRedrawPlot)
        onRedrawPlot();
}

bool SelectionForm::MayStartRename(const std::string& editText)
{
    const bool ok = SelectionModel::MayStartRename(sDownTxt_, editText);
    sDownTxt_ = editText;
    return ok;
}

bool SelectionForm::Rename(const std::string& editText, const std::string& newText)
{
    const RenameResult result = model_.Rename(editText, newText);
    if (result == RenameResult::NameUsed)
        box_.inform("Name already used.", "Error");
    Changed();
    return result == RenameResult::Renamed;
}

void SelectionForm::HeaderClick(int h)
{
    model_.HeaderClick(h);
    Changed();
}

void SelectionForm::Drop(int row)
{
    drag_.lDrag = false;
    Changed(model_.Drop(row, drag_.lNewRow, drag_.lCtrl));
}

void SelectionForm::StepRepeat()
{
    Changed(lDown_ ? model_.MoveDown() : model_.MoveUp());
}

void SelectionForm::ArrowPressed(bool down)
{
    lDown_ = down;
    StepRepeat();
    timer2_.setInterval(kRepeatFirst);
    timer2_.setEnabled(true);
}

void SelectionForm::ArrowReleased()
{
    timer2_.setEnabled(false);
    timer2_.setInterval(kRepeatFirst);
}

} // namespace zan
