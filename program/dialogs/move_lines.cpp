#include "dialogs/move_lines.h"

#include "session/load_data.h"

#include <charconv>
#include <cstdlib>

namespace zan {

namespace {

constexpr int kMaxLinesListed = 5000;
constexpr int kClearedPerFile = 5000;  // the library's variables per file

std::string Trimmed(const std::string& text)
{
    const size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

}  // namespace

void MoveLines::Load()
{
    files_.clear();
    lines_.clear();
    for (int i = 1; i <= s_.nFile; ++i)
        files_.push_back(Trimmed(GetFiles(s_, i)));
    for (int i = 1; i <= kMaxLinesListed; ++i) {
        const std::string name = GetLines(s_, i);
        if (name.empty())
            break;
        lines_.push_back(name);
    }
    file_ = 1;
    line_ = 1;
    editedBox_ = -1;
    ShowParam();
}

void MoveLines::ChooseFile(int f)
{
    file_ = f;
    ShowParam();
}

void MoveLines::ChooseLine(int v)
{
    line_ = v;
    ShowParam();
}

void MoveLines::SetAllFiles(bool on)
{
    s_.iMall = on ? 1 : 0;
}

void MoveLines::ShowParam()
{
    const int p = GetParam(s_, file_, line_);
    const double shift = p < 1 ? 0.0 : library_.Shift(file_, p);
    const double factor = p < 1 ? 1.0 : library_.Factor(file_, p);
    shiftText_ = ValueText(shift);
    factorText_ = ValueText(factor);
}

std::vector<int> MoveLines::Scope() const
{
    if (!allFiles())
        return {file_};
    std::vector<int> all;
    for (int g = 1; g <= s_.nFile; ++g)
        all.push_back(g);
    return all;
}

void MoveLines::SetParam(int box, double value)
{
    for (int g : Scope()) {
        const int p = GetParam(s_, g, line_);
        if (p < 1)
            continue;
        if (box == kShiftBox)
            library_.SetShift(g, p, value);
        else
            library_.SetFactor(g, p, value);
    }
}

void MoveLines::Redraw(int delay)
{
    if (drawDelayed)
        drawDelayed(delay);
}

void MoveLines::Step(int button)
{
    ConfirmEdited();
    double step = GetDelta(s_, line_) / 20;
    if (button == kStepDownLarge || button == kStepDown)
        step = -step;
    if (button == kStepDown || button == kStepUp)
        step /= 20;
    for (int g : Scope()) {
        const int p = GetParam(s_, g, line_);
        if (p < 1)
            continue;
        library_.SetShift(g, p, library_.Shift(g, p) + step);
    }
    ShowParam();
    Redraw(55);
}

void MoveLines::ClearAll()
{
    ConfirmEdited();
    for (int f = 1; f <= s_.nFile; ++f)
        for (int n = 1; n <= kClearedPerFile; ++n) {
            library_.SetShift(f, n, 0.0);
            library_.SetFactor(f, n, 1.0);
        }
    ShowParam();
    Redraw(55);
}

void MoveLines::Confirm(int box, const std::string& text, bool edited)
{
    if (edited && !Trimmed(text).empty())
        SetParam(box, NumericValue(text));
    ShowParam();
    Redraw(110);
}

void MoveLines::Edit(int box, const std::string& text)
{
    editedBox_ = box;
    editedText_ = text;
}

void MoveLines::ConfirmBox(int box, const std::string& text)
{
    const bool edited = editedBox_ == box;
    editedBox_ = -1;
    Confirm(box, text, edited);
}

void MoveLines::ConfirmEdited()
{
    if (editedBox_ >= 0)
        ConfirmBox(editedBox_, editedText_);
}

std::string ValueText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    const bool negative = !text.empty() && text[0] == '-';
    const size_t digits = negative ? 1 : 0;
    if (text.compare(digits, 2, "0.") == 0)
        text.erase(digits, 1);
    return negative ? text : " " + text;
}

double NumericValue(const std::string& text)
{
    size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos)
        return 0;
    std::string number;
    if (text[i] == '+' || text[i] == '-')
        number += text[i++];
    size_t mantissa = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        number += text[i++], ++mantissa;
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            number += text[i++], ++mantissa;
    }
    if (mantissa == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        const size_t start = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            exponent += text[j++];
        if (j > start)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

bool KeptAfterEnter(int code)
{
    return (code >= 43 && code <= 57) || code == 8;
}

}  // namespace zan
