#include "elements/commandsupport.h"

#include <array>

#include "geometry/anglechoice.h"
#include "geometry/angles.h"
#include "shell/mainwindow.h"
#include "base/text.h"

namespace tarvo {

bool WaitForPointCount(MainWindow& w, int count, int method) {
    Session& s = w.session();
    if (w.PointCount() >= count) {
        return true;
    }
    s.settings.AbortRequested = 0;
    const bool enough = s.Op().WaitForPoints(count, method);
    if (s.settings.AbortRequested != 0 || !enough || w.PointCount() < count) {
        s.settings.AbortRequested = 0;
        return false;
    }
    return true;
}

PointList PointsFromMemory(const MainWindow& w, int first, int count) {
    PointList l;
    for (int i = first; i < first + count; ++i) {
        const Point p = w.GetPoint(i);
        l.Add(p.x, p.y);
    }
    return l;
}

Line2P LineThrough(const MainWindow& w, int i, int j) {
    const Point a = w.GetPoint(i);
    const Point b = w.GetPoint(j);
    return {a.x, a.y, b.x, b.y};
}

std::string AngleText(const MainWindow& w, long double angle) {
    const Settings& s = w.session().settings;
    const std::string text = s.AngleMode == 1 ? AngleToDmsText(angle) : FormatReal(angle, 10, s.Decimals);
    return text.size() < 10 ? std::string(10 - text.size(), ' ') + text : text;
}

std::optional<int> ChooseAngle(MainWindow& w, const Real (&candidates)[4]) {
    Session& s = w.session();
    if (s.elements.ReplayChoice != 0) {
        return s.elements.ReplayChoice;
    }
    const AngleChoice choice({candidates[0], candidates[1], candidates[2], candidates[3]});
    const auto captions = choice.Captions(w.ResultName(5));
    const auto k = s.Op().Choose("Tselect_winkel", std::vector<std::string>(captions.begin(), captions.end()));
    if (!k || *k < 1 || *k > 4) {
        return std::nullopt;
    }
    return k;
}

int NextLineNumber(const MainWindow& w) { return w.lb1().Count() + 1; }

}  // namespace tarvo
