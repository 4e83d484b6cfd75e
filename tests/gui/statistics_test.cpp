// The statistics window over a real SQLite journal: opened from the main window's menu, the
// choosers filled from the journal, the figures as the journal computes them, the four charts
// drawn. TARVO_STATISTICS_PNG=FILE saves a picture of the window (for a look under Xvfb).
#ifdef TARVO_HAVE_JOURNAL_SQL
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <cstdio>

#include "app/mainwindow.h"
#include "app/qt/tmain.h"
#include "journal/qt/sqljournal.h"
#include "output/qt/tstatistik.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

TEST(StatisticsWindow, ShowsTheFiguresAndChartsOfTheJournal) {
    test::TempDir dir;
    test::ScriptedOperator op;
    FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    auto journal = SqlJournal::OpenSqlite(QString::fromStdString((dir.work() / "journal.db").string()));
    for (int i = 0; i < 80; ++i) {
        JournalPart p{NewPartId(), "WELLE.PRG", std::to_string(i + 1), i + 1, i % 3 ? "M1" : "M2", "", "", "", true};
        char start[32];
        std::snprintf(start, sizeof start, "2026-12-%02d 08:%02d:00", 1 + i / 40, i % 40);
        p.start = p.end = start;
        const double x = 25.0 + 0.004 * std::sin(i * 0.7) + (i == 50 ? 0.02 : 0.0);
        std::vector<JournalRow> rows(2);
        rows[0] = {"D 25", 'V', 25.0, 25.01, 24.99, x, x - 25.0, std::abs(x - 25) <= 0.01, ""};
        rows[1] = {"Breite 8", 'V', 8.0, 8.05, 7.95, 8.0 + 0.01 * (i % 5), 0.0, true, ""};
        ASSERT_TRUE(journal->WritePart(p, rows));
    }
    Session session(op, clock, dir.work(), dir.root());
    session.journal = journal.get();
    MainWindow m(session);
    Tmain w(m);
    m.FormCreate();
    w.show();
    QAction* entry = nullptr;
    for (QAction* a : w.findChildren<QAction*>()) {
        entry = a->text() == "&Statistik" ? a : entry;
    }
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    Tstatistik* s = w.StatisticsWindow();
    ASSERT_TRUE(s->isVisible());
    EXPECT_EQ(s->Programm->currentText(), "WELLE.PRG");
    ASSERT_EQ(s->Merkmal->count(), 2);
    s->Merkmal->setCurrentText("D 25");
    s->Von->setText("2026-12-01");
    QTest::mouseClick(s->Anzeigen, Qt::LeftButton);

    JournalFilter f;
    f.program = "WELLE.PRG";
    f.feature = "D 25";
    const JournalStatistics want = DeriveStatistics(*journal->Aggregates(f));
    ASSERT_EQ(want.n, 80);
    std::map<QString, QString> shown;
    for (int r = 0; r < s->Kennzahlen->rowCount(); ++r) {
        shown[s->Kennzahlen->item(r, 0)->text()] = s->Kennzahlen->item(r, 1)->text();
    }
    EXPECT_EQ(shown["n"], "80");
    EXPECT_EQ(shown["Cpk"], QString::number(*want.cpk, 'f', 3));
    EXPECT_EQ(shown["Ppk"], QString::number(*want.ppk, 'f', 3));
    EXPECT_EQ(shown[QString::fromUtf8("Außerhalb der Toleranz")], "1.25 %");

    // Each of the four charts is drawn; the tolerance limits in red, the control limits in blue.
    s->resize(1200, 700);
    QApplication::processEvents();
    const QImage picture = s->Diagramme->grab().toImage();
    const int hw = picture.width() / 2, hh = picture.height() / 2;
    int red = 0, blue = 0;
    for (int q = 0; q < 4; ++q) {
        int ink = 0;
        for (int y = (q / 2) * hh; y < (q / 2 + 1) * hh; ++y) {
            for (int x = (q % 2) * hw; x < (q % 2 + 1) * hw; ++x) {
                const QColor c = picture.pixelColor(x, y);
                ink += c.lightness() < 128;
                red += c.red() > 150 && c.green() < 90 && c.blue() < 90;
                blue += c.blue() > 150 && c.red() < 90;
            }
        }
        EXPECT_GT(ink, 300) << "chart " << q;
    }
    EXPECT_GT(red, 500);
    EXPECT_GT(blue, 500);
    if (const char* png = std::getenv("TARVO_STATISTICS_PNG")) {
        s->grab().save(png);
    }
}

}  // namespace
}  // namespace tarvo
#endif
