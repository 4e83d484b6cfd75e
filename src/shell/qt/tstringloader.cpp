#include "shell/qt/tstringloader.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <stdexcept>

#include "base/cp1252.h"
#include "shell/qt/qtext.h"

namespace tarvo {

namespace {

// The named objects of a window in the order they were created: Qt keeps children in creation
// order, so a depth-first walk visits a control after its parent.
// Other windows owned by this one have files of their own (a menu is a window too, but the
// window's own); a tab bar's scroll buttons are Qt's.
void Walk(const QObject& parent, std::vector<QObject*>& out) {
    for (QObject* child : parent.children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        const bool ownWindow = widget != nullptr && widget->isWindow() && qobject_cast<const QMenu*>(widget) == nullptr;
        if (ownWindow || qobject_cast<const QTabBar*>(&parent) != nullptr) {
            continue;
        }
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith("qt_")) {
            out.push_back(child);
        }
        Walk(*child, out);
    }
}

std::vector<std::string> Lines(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list) {
        out.push_back(A(s));
    }
    return out;
}

// A page of a tab widget: its tab's text is its caption.
QTabWidget* TabsOf(QObject* o) {
    auto* page = qobject_cast<QWidget*>(o);
    QObject* stack = o->parent();
    auto* tabs = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parent()) : nullptr;
    return page != nullptr && tabs != nullptr && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

ControlTexts TextsOf(QObject* o) {
    ControlTexts c{A(o->objectName()), {}, {}};
    if (QTabWidget* tabs = TabsOf(o)) {
        c.texts = {{"Caption", A(tabs->tabText(tabs->indexOf(static_cast<QWidget*>(o))))}};
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        c.texts = {{"Caption", A(b->text())}, {"Hint", A(b->toolTip())}};
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        c.texts = {{"Caption", A(l->text())}};
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        c.texts = {{"Caption", A(g->title())}};
    } else if (auto* e = qobject_cast<QLineEdit*>(o)) {
        c.texts = {{"Text", A(e->text())}};
    } else if (auto* m = qobject_cast<QMenu*>(o)) {
        c.texts = {{"Caption", A(m->title())}};
    } else if (auto* a = qobject_cast<QAction*>(o)) {
        c.texts = {{"Caption", A(a->text())}};
    } else if (auto* lw = qobject_cast<QListWidget*>(o)) {
        QStringList items;
        for (int i = 0; i < lw->count(); ++i) {
            items << lw->item(i)->text();
        }
        c.lists = {{"Items", Lines(items)}};
    } else if (auto* cb = qobject_cast<QComboBox*>(o)) {
        QStringList items;
        for (int i = 0; i < cb->count(); ++i) {
            items << cb->itemText(i);
        }
        c.lists = {{"Items", Lines(items)}};
    } else if (auto* pt = qobject_cast<QPlainTextEdit*>(o)) {
        c.lists = {{"Lines", Lines(pt->toPlainText().split('\n'))}};
    }
    return c;
}

void Apply(QObject* o, const ControlTexts& c) {
    const auto text = [&c](const char* key) -> QString {
        for (const auto& [k, v] : c.texts) {
            if (k == key) {
                return Q(v);
            }
        }
        return {};
    };
    const auto list = [&c]() -> QStringList {
        QStringList out;
        if (!c.lists.empty()) {
            for (const std::string& s : c.lists.front().second) {
                out << Q(s);
            }
        }
        return out;
    };
    if (QTabWidget* tabs = TabsOf(o)) {
        tabs->setTabText(tabs->indexOf(static_cast<QWidget*>(o)), text("Caption"));
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        // A button that shows its picture only keeps showing it; its hint still changes.
        b->setText(text("Caption"));
        b->setToolTip(text("Hint"));
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        if (l->pixmap().isNull()) {
            l->setText(text("Caption"));
        }
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        g->setTitle(text("Caption"));
    } else if (auto* e = qobject_cast<QLineEdit*>(o)) {
        e->setText(text("Text"));
    } else if (auto* m = qobject_cast<QMenu*>(o)) {
        m->setTitle(text("Caption"));
    } else if (auto* a = qobject_cast<QAction*>(o)) {
        a->setText(text("Caption"));
    } else if (auto* lw = qobject_cast<QListWidget*>(o)) {
        const int row = lw->currentRow();
        lw->clear();
        lw->addItems(list());
        lw->setCurrentRow(std::min(row, lw->count() - 1));
    } else if (auto* cb = qobject_cast<QComboBox*>(o)) {
        const int row = cb->currentIndex();
        cb->clear();
        cb->addItems(list());
        cb->setCurrentIndex(std::min(row, cb->count() - 1));
    } else if (auto* pt = qobject_cast<QPlainTextEdit*>(o)) {
        pt->setPlainText(list().join('\n'));
    }
}

constexpr const char* kNoFileName = "Es ist kein Name der Initialisierungsdatei angegeben";

}  // namespace

WindowTexts CollectWidgetTexts(const QWidget& window) {
    std::vector<QObject*> objects;
    Walk(window, objects);
    WindowTexts out;
    for (QObject* o : objects) {
        ControlTexts c = TextsOf(o);
        if (!c.texts.empty() || !c.lists.empty()) {
            out.push_back(std::move(c));
        }
    }
    return out;
}

void ApplyWidgetTexts(QWidget& window, const WindowTexts& texts) {
    std::vector<QObject*> objects;
    Walk(window, objects);
    for (QObject* o : objects) {
        const std::string name = A(o->objectName());
        for (const ControlTexts& c : texts) {
            if (c.name == name) {
                Apply(o, c);
                break;
            }
        }
    }
}

void TStringLoader::SetIniFileName(std::string file) {
    m_file = std::move(file);
    if (m_file.empty()) {
        m_options &= ~static_cast<unsigned>(slAutoLoad | slAutoSave);
    }
}

void TStringLoader::SetOptions(unsigned options) {
    if ((options & (slAutoLoad | slAutoSave)) != 0 && m_file.empty()) {
        throw std::runtime_error(kNoFileName);
    }
    m_options = options;
}

void TStringLoader::LoadStrings() {
    if (m_file.empty()) {
        throw std::runtime_error(kNoFileName);
    }
    const IniFile file = IniFile::Load(m_file);
    if (file.Unreadable() || !FileExists(m_file)) {
        throw std::runtime_error(Ansi("Die Datei \"") + m_file + Ansi("\" kann nicht gelesen werden"));
    }
    WindowTexts texts = CollectWidgetTexts(m_owner);
    if (ExtraTexts) {
        ExtraTexts(texts);
    }
    LoadLanguageTexts(file, texts);
    ApplyWidgetTexts(m_owner, texts);
}

void TStringLoader::SaveStrings() const {
    if (m_file.empty()) {
        throw std::runtime_error(kNoFileName);
    }
    WindowTexts texts = CollectWidgetTexts(m_owner);
    if (ExtraTexts) {
        ExtraTexts(texts);
    }
    const WriteResult r = SaveLanguageFile(m_file, texts);
    if (!r.ok) {
        throw std::runtime_error(r.error);
    }
}

bool TStringLoader::TryLoad() noexcept {
    if (m_file.empty()) {
        return false;
    }
    try {
        LoadStrings();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace tarvo
