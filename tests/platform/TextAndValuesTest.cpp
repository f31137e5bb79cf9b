#include "platform/Forms.h"
#include "platform/PropertyBag.h"
#include "platform/RuntimeError.h"
#include "platform/SysColors.h"
#include "platform/Text.h"
#include "platform/Variant.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Text, AnsiIsUtf8OutAndWindows1252InWhenNotUtf8) {
    const QString mixed = QStringLiteral("Zażółć ΑΒΓ 中文 😀");
    EXPECT_EQ(ToAnsi(mixed), mixed.toUtf8());
    EXPECT_EQ(FromAnsi(mixed.toUtf8()), mixed);
    EXPECT_EQ(FromAnsi(QByteArray("\x80\x93\x94\xE9\x81")), QString::fromUtf8("€“”é") + QChar(0x81));
    // A byte-order mark is no part of the text; only one is dropped.
    EXPECT_EQ(FromAnsi("\xEF\xBB\xBF[Main]"), QStringLiteral("[Main]"));
    EXPECT_EQ(FromAnsi("\xEF\xBB\xBF\xEF\xBB\xBFx"), QChar(0xFEFF) + QStringLiteral("x"));
    EXPECT_EQ(FromAnsi("\xEF\xBB\xBF\xE9"), QStringLiteral("é")) << "the rest in Windows-1252";
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF", 2)) << "overlong";
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80", 3)) << "surrogate";
    EXPECT_FALSE(IsValidUtf8("abc\xE2\x82", 5)) << "cut short";
    EXPECT_TRUE(IsValidUtf8("plain ascii text longer than eight", 34));
}

TEST(Text, TimesAreWrittenOnTheTwelveHourClockAndReadLeniently) {
    EXPECT_EQ(FormatSystemTime(QTime(14, 30, 0)), QStringLiteral("02:30:00 PM"));
    EXPECT_EQ(FormatSystemTime(QTime(0, 5, 9)), QStringLiteral("12:05:09 AM"));
    EXPECT_EQ(FormatSystemTime(QTime(12, 0, 0)), QStringLiteral("12:00:00 PM"));
    EXPECT_EQ(ParseTimeLenient(QStringLiteral("02:30:00 PM")), QTime(14, 30, 0));
    EXPECT_EQ(ParseTimeLenient(QStringLiteral("2:30 pm")), QTime(14, 30, 0));
    EXPECT_EQ(ParseTimeLenient(QStringLiteral("12:00 AM")), QTime(0, 0, 0));
    EXPECT_EQ(ParseTimeLenient(QStringLiteral("14:30")), QTime(14, 30, 0));
    EXPECT_EQ(ParseTimeLenient(QStringLiteral("9:05:07")), QTime(9, 5, 7));
    EXPECT_FALSE(ParseTimeLenient(QStringLiteral("25:00")).isValid());
    EXPECT_FALSE(ParseTimeLenient(QStringLiteral("13:00 PM")).isValid());
    EXPECT_FALSE(ParseTimeLenient(QStringLiteral("noon")).isValid());
    EXPECT_EQ(FormatDatePattern(QDate(2006, 7, 5), QStringLiteral("dd/mm/yyyy")), QStringLiteral("05/07/2006"));
    EXPECT_EQ(FormatDatePattern(QDate(2006, 7, 5), QStringLiteral("ddmmyy")), QStringLiteral("050706"));
}

TEST(Variant, KindsAndConversions) {
    EXPECT_EQ(Variant::fromInteger(3).kind(), Variant::Integer);
    EXPECT_EQ(Variant::fromLong(3).kind(), Variant::Long);
    EXPECT_NE(Variant::fromInteger(3), Variant::fromLong(3)) << "the kind matters";
    EXPECT_EQ(Variant(QStringLiteral("12")).toInteger(), 12);
    EXPECT_EQ(Variant(QStringLiteral("2.5")).toLong(), 2) << "halves round to even";
    EXPECT_EQ(Variant().toLong(), 0);
    try {
        Variant::fromLong(40000).toInteger();
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    try {
        Variant(QStringLiteral("abc")).toLong();
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 13);
        EXPECT_EQ(e.description(), QStringLiteral("Type mismatch"));
    }
    EXPECT_EQ(RuntimeError::fromNumber(91).description(),
              QStringLiteral("Object variable or With block variable not set"));
}

TEST(PropertyBag, DefaultsAreNotWritten) {
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("Command1"), QStringLiteral("Command1"));
    EXPECT_FALSE(bag.contains(QStringLiteral("Caption")));
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("Save"), QStringLiteral("Command1"));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("caption"), QStringLiteral("x")).toString(), QStringLiteral("Save"));
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("Command1"), QStringLiteral("Command1"));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Caption"), QStringLiteral("dflt")).toString(), QStringLiteral("dflt"))
        << "writing the default again takes the old value away";
}

TEST(SysColors, ClassicSchemeAndReferences) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(OleTranslateColor(static_cast<OleColor>(0x80000000u | COLOR_HIGHLIGHT)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(OleTranslateColor(RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(ToQColor(RGB(179, 53, 17)), QColor(179, 53, 17));
    EXPECT_EQ(RGB(179, 53, 17), 1127859);
}

namespace {
class CountedForm : public Form {
public:
    static int made;
    CountedForm() { ++made; }
    QString formName() const override { return QStringLiteral("CountedForm"); }
    bool isFormVisible() const override { return false; }
    bool unloadForm() override {
        delete this;
        return true;
    }
};
int CountedForm::made = 0;
} // namespace

TEST(Forms, DefaultInstanceLoadsOnFirstReferenceAndAgainAfterUnload) {
    CountedForm& first = Forms::Get<CountedForm>();
    EXPECT_EQ(&Forms::Get<CountedForm>(), &first);
    EXPECT_EQ(CountedForm::made, 1);
    EXPECT_EQ(Forms::IfLoaded<CountedForm>(), &first);
    first.unloadForm();
    EXPECT_EQ(Forms::IfLoaded<CountedForm>(), nullptr);
    EXPECT_TRUE(Forms::Loaded().empty());
    Forms::Get<CountedForm>().unloadForm();
    EXPECT_EQ(CountedForm::made, 2);
}
