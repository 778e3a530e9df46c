#include "pages/gridlayout.h"
#include "support/userinput.h"
#include "support/windowfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace {

// Every printable character and the Turkish letters, typed as a keyboard sends them into each kind
// of box: each is taken or refused by that box's own rule and none of them acts as a key that
// moves (the codes of "%&'(" are those of the arrows).
class TypingWindowTest : public ::testing::Test {
protected:
    MainWidgets& w() { return f.w(); }
    GridPage& grid(int n) { return *f.program->ctx.Grid1[n]; }

    static QString textOf(QWidget* box) {
        if (auto* line = qobject_cast<QLineEdit*>(box))
            return line->text();
        if (auto* edit = qobject_cast<QPlainTextEdit*>(box))
            return edit->toPlainText();
        return {};
    }

    WindowFixture f;
};

// What a box makes of one typed character: the text it then holds (empty: refused).
using Rule = std::function<QString(QChar)>;

QString any(QChar c) {
    return QString(c);
}
QString digits(QChar c) {
    return c >= u'0' && c <= u'9' ? QString(c) : QString();
}
QString digitsAndComma(QChar c) {
    return c == u',' ? QStringLiteral(",") : digits(c);
}
QString digitsAndPoint(QChar c) {
    return c == u',' || c == u'.' ? QStringLiteral(".") : digits(c);
}

TEST_F(TypingWindowTest, EveryCharacterIsTakenOrRefusedByItsBoxAndNoneMoves) {
    ASSERT_TRUE(f.start(QStringLiteral("QM2")));
    f.program->window.show();
    QApplication::setActiveWindow(&f.program->window);
    f.session().DivisionDecimals = QStringLiteral("5");
    f.session().DisplayMaximum = 3000.5;
    w().SSTab1->setTabVisible(2, true);

    QString chars;
    for (char16_t c = 0x20; c <= 0x7e; ++c)
        chars += QChar(c);
    chars += QStringLiteral("çğıöşüÇĞİÖŞÜ");

    auto focused = [this](int tab, QWidget* box) {
        w().SSTab1->setCurrentIndex(tab);
        box->setFocus();
        return box;
    };
    auto placed = [this](int tab, int n, int row, QWidget* box) {
        w().SSTab1->setCurrentIndex(tab);
        clickCell(w().Grid1[n], row, 1);
        box->setFocus();
        return box;
    };
    struct Case {
        const char* box;
        std::function<QWidget*()> open; // shows the empty box with the focus
        Rule rule;
        int grid = -1; // whose current row must stay
    };
    const Case cases[] = {
        {"header line", [&] { return focused(0, w().Baslık[1]); }, any},
        {"footer line", [&] { return focused(0, w().DipNot[0]); }, any},
        {"label text",
         [&] {
             w().Option3[1]->click();
             return focused(0, w().EPL);
         },
         any},
        {"ID number", [&] { return placed(1, GridIdMemories, 12, w().Text2); }, digits, GridIdMemories},
        {"ID name", [&] { return placed(1, GridIdMemories, 12, w().Text3); }, any, GridIdMemories},
        {"quick ID number 1", [&] { return focused(1, w().Text11[0]); }, digits},
        {"quick ID name 1", [&] { return focused(1, w().Text11[1]); }, any},
        {"quick ID number 2", [&] { return focused(1, w().Text11[2]); }, digits},
        {"quick ID name 2", [&] { return focused(1, w().Text11[3]); }, any},
        {"ID title 1", [&] { return focused(1, w().Text6); }, any},
        {"ID title 2", [&] { return focused(1, w().Text8); }, any},
        {"first setpoint", [&] { return placed(3, GridSetpoints, 4, w().Text5[0]); }, digitsAndComma, GridSetpoints},
        {"third setpoint", [&] { return placed(3, GridSetpoints, 4, w().Text5[2]); }, digitsAndComma, GridSetpoints},
        {"preset tare", [&] { return placed(2, GridPresetTares, 20, w().Text7); }, digits, GridPresetTares},
        {"parameter value", [&] { return placed(4, GridParameters, 18, w().Text1); }, digitsAndPoint, GridParameters},
        {"span weight",
         [&] {
             w().SSTab1->setCurrentIndex(5);
             w().SSPanel8->show();
             w().Text10->setFocus();
             return w().Text10;
         },
         digitsAndPoint},
    };
    for (const Case& c : cases) {
        QWidget* box = c.open();
        ASSERT_EQ(QApplication::focusWidget(), box) << c.box;
        ASSERT_TRUE(textOf(box).isEmpty()) << c.box;
        const int row = c.grid >= 0 ? grid(c.grid).Row() : -1;
        for (QChar ch : chars) {
            const std::string typed = std::string(c.box) + " '" + QString(ch).toStdString() + "'";
            typeKeys(box, QString(ch));
            EXPECT_EQ(textOf(box), c.rule(ch)) << typed;
            EXPECT_EQ(QApplication::focusWidget(), box) << typed;
            if (c.grid >= 0) {
                EXPECT_EQ(grid(c.grid).Row(), row) << typed;
            }
            if (!textOf(box).isEmpty())
                pressKey(box, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
            ASSERT_TRUE(textOf(box).isEmpty()) << typed;
        }
    }
    w().SSPanel8->hide();
}

} // namespace
