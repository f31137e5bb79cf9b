#include "platform/ui/TextBox.h"

#include "WidgetEvents.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <gtest/gtest.h>

using platform::MultiLineTextBox;
using platform::TextBox;

TEST(MultiLineTextBox, HandsOutCrLfWhateverBreaksItWasGiven) {
    MultiLineTextBox box;
    box.SetText(QStringLiteral("one\r\ntwo\nthree\rfour\r\n\r\nsix"));
    EXPECT_EQ(box.Text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n\r\nsix"));
    EXPECT_EQ(box.TextLength(), box.Text().size());

    // Characters the editor's plain-text export would change stay as given.
    const QString kept = QStringLiteral("a\u00a0b\tc");
    box.SetText(kept);
    EXPECT_EQ(box.Text(), kept);

    // A typed line break comes out as CR LF too.
    box.SetText(QStringLiteral("ab"));
    box.moveCursor(QTextCursor::End);
    widgetevents::type(&box, QStringLiteral("\nc"));
    EXPECT_EQ(box.Text(), QStringLiteral("ab\r\nc"));

    box.SetText(QString());
    EXPECT_EQ(box.Text(), QString());
}

TEST(MultiLineTextBox, MaxLengthLimitsTypingButNeverCutsTextSetByCode) {
    MultiLineTextBox box;
    box.SetMaxLength(400);
    const QString stored(450, QLatin1Char('x'));
    box.SetText(stored);
    EXPECT_EQ(box.Text(), stored) << "text set by code is never cut";

    box.moveCursor(QTextCursor::End);
    widgetevents::type(&box, QStringLiteral("y"));
    EXPECT_EQ(box.TextLength(), 450) << "nothing can be typed into an over-long text";
    widgetevents::key(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.TextLength(), 449) << "but it can be shortened";

    // Typing fills up to the limit exactly; a line break needs room for two.
    box.SetText(QString(397, QLatin1Char('x')));
    box.moveCursor(QTextCursor::End);
    widgetevents::type(&box, QStringLiteral("ab"));
    EXPECT_EQ(box.TextLength(), 399);
    widgetevents::key(&box, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(box.TextLength(), 399);
    widgetevents::type(&box, QStringLiteral("cd"));
    EXPECT_EQ(box.Text(), QString(397, QLatin1Char('x')) + QStringLiteral("abc"));

    // Typing over a selection frees its room first.
    box.selectAll();
    widgetevents::type(&box, QStringLiteral("z"));
    EXPECT_EQ(box.Text(), QStringLiteral("z"));

    // A paste is cut to the room left; a line break is not split.
    box.SetText(QString(395, QLatin1Char('x')));
    box.moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(QStringLiteral("123\r\n4567"));
    box.paste();
    EXPECT_EQ(box.Text(), QString(395, QLatin1Char('x')) + QStringLiteral("123\r\n"));
    box.SetText(QString(396, QLatin1Char('x')));
    box.moveCursor(QTextCursor::End);
    box.paste();
    EXPECT_EQ(box.Text(), QString(396, QLatin1Char('x')) + QStringLiteral("123"));

    // Without a limit anything goes.
    box.SetMaxLength(0);
    box.moveCursor(QTextCursor::End);
    widgetevents::type(&box, QStringLiteral("more"));
    EXPECT_EQ(box.TextLength(), 403);
}

TEST(TextBox, MaxLengthLimitsTypingAndPastingButNeverCutsTextSetByCode) {
    TextBox box;
    box.SetMaxLength(5);
    box.SetText(QStringLiteral("abcdefgh"));
    EXPECT_EQ(box.Text(), QStringLiteral("abcdefgh"));

    box.end(false);
    widgetevents::type(&box, QStringLiteral("i"));
    EXPECT_EQ(box.Text(), QStringLiteral("abcdefgh"));
    widgetevents::key(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.Text(), QStringLiteral("abcdefg"));

    box.SetText(QStringLiteral("abc"));
    box.end(false);
    widgetevents::type(&box, QStringLiteral("xyz"));
    EXPECT_EQ(box.Text(), QStringLiteral("abcxy"));

    box.SetText(QStringLiteral("ab"));
    box.home(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("12345"));
    box.paste();
    EXPECT_EQ(box.Text(), QStringLiteral("123ab")) << "the paste is cut to the room left";

    // Replacing a selection frees its room.
    box.selectAll();
    box.paste();
    EXPECT_EQ(box.Text(), QStringLiteral("12345"));

    // A text longer than Qt's own default limit is kept whole.
    const QString longText(40000, QLatin1Char('q'));
    box.SetMaxLength(0);
    box.SetText(longText);
    EXPECT_EQ(box.Text().size(), 40000);
}

TEST(TextBoxes, DropControlCharactersTypedPastedOrComposed) {
    const QString dirty = QStringLiteral("a\u0001b\tc\r\nd\u001Fe\u007Ff\u0085g");
    enum Route { Typed, Composed, Pasted };
    for (Route route : {Typed, Composed, Pasted}) {
        SCOPED_TRACE(route);
        TextBox single;
        MultiLineTextBox multi;
        for (QWidget* box : {static_cast<QWidget*>(&single), static_cast<QWidget*>(&multi)}) {
            switch (route) {
            case Typed:
                // One key whose text is several characters, as input tools send.
                widgetevents::key(box, Qt::Key_A, dirty);
                break;
            case Composed: {
                QInputMethodEvent commit;
                commit.setCommitString(dirty);
                QApplication::sendEvent(box, &commit);
                break;
            }
            case Pasted:
                QGuiApplication::clipboard()->setText(dirty);
                if (box == &single)
                    single.paste();
                else
                    multi.paste();
                break;
            }
        }
        EXPECT_EQ(single.Text(), QStringLiteral("ab\tcdefg"));
        EXPECT_EQ(multi.Text(), QStringLiteral("ab\tc\r\ndefg"));
    }

    // Keys whose text is a control character still do their work.
    TextBox box;
    box.SetText(QStringLiteral("a\u0001b"));
    EXPECT_EQ(box.Text(), QStringLiteral("a\u0001b")) << "text set by code is kept as it is";
    box.end(false);
    widgetevents::key(&box, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(box.Text(), QStringLiteral("a\u0001"));
    MultiLineTextBox lines;
    widgetevents::type(&lines, QStringLiteral("x\ny"));
    widgetevents::key(&lines, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(lines.Text(), QStringLiteral("x\r\n"));
}
