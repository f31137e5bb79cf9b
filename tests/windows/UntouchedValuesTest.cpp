#include "WindowsFixture.h"

#include "platform/XmlDocument.h"
#include "windows/frmMeetings.h"
#include "windows/frmNotes.h"
#include "windows/frmPassword.h"
#include "windows/frmTasks.h"

#include <algorithm>
#include <functional>

using namespace fixture;
using platform::MsgAnswer;
using platform::XmlNode;

namespace {

// A field enciphered from its bytes as the Windows program holds them (its
// own code page, CR LF line breaks), or in lower-case digits as another
// program may write them.
QString enciphered(const QByteArray& clearBytes, bool lowerCase = false) {
    QByteArray bytes = clearBytes;
    cRC4().EncryptByte(bytes, kDataKey);
    const QByteArray hex = bytes.toHex();
    return QString::fromLatin1(lowerCase ? hex : hex.toUpper());
}

// A data file laid out as the Windows program writes it, with values as it
// and other programs may hold them.
QByteArray windowsFile() {
    const QString text =
        QStringLiteral(R"(<?xml version="1.0"?>
<zandor>
	<notes>
		<note title="Recipe">
			<date>05.03.2025</date>
			<time>09:05:00 AM</time>
			<lastedit>05.03.2025; 09:05:00 AM</lastedit>
			<text>%1</text>
		</note>
	</notes>
	<passwords>
		<password title="Bank">
			<uname>%2</uname>
			<pwd>%3</pwd>
			<url>bank.example.com</url>
			<anote>%4</anote>
		</password>
	</passwords>
	<date d="20-03-2025">
		<tasks>
			<task title="Taxes">
				<priority>1</priority>
				<status> 2</status>
				<desc>%5</desc>
				<remarks>   </remarks>
			</task>
		</tasks>
		<meetings>
			<meeting title="Review">
				<priority>x</priority>
				<m_for>3</m_for>
				<s_time>9:00:00 AM</s_time>
				<e_time>10:30:00 AM</e_time>
				<desc>%6</desc>
			</meeting>
			<meeting title="Planning">
				<priority>2</priority>
				<m_for>0</m_for>
				<s_time>14:15:00</s_time>
				<e_time>15:00:00</e_time>
				<desc></desc>
			</meeting>
		</meetings>
	</date>
	<date d="1-4-2025">
		<tasks>
			<task title="Call Jo">
				<priority>2</priority>
				<status>7</status>
				<desc></desc>
				<remarks>%7</remarks>
			</task>
		</tasks>
		<meetings/>
	</date>
</zandor>
)")
            .arg(enciphered("Pelmeni \x81\x8D\x8F\x90\x9D\r\nflour, eggs"), enciphered("jo", true), enciphered("s3cr"),
                 enciphered("Branch 12\r\nask for Ann"), enciphered("Collect receipts\nand forms"),
                 enciphered("Bring the figures\r\n"), enciphered("Ring after lunch"));
    QByteArray bytes = text.toUtf8();
    return bytes.replace("\n", "\r\n");
}

// Every stored value of a file by its place: each attribute and the text of
// each element that holds no other, a note's last-edit stamp left out.
QStringList storedValues(const QByteArray& file) {
    platform::XmlDocument doc;
    EXPECT_TRUE(doc.loadXml(file));
    QStringList values;
    std::function<void(const XmlNode&, const QString&)> walk = [&](const XmlNode& node, const QString& path) {
        const QString here = path + QLatin1Char('/') + node.nodeName();
        for (int i = 0; i < node.attributeCount(); ++i)
            values << here + QLatin1Char('@') + node.attributeName(i) + QLatin1Char('=') + node.attributeText(i);
        bool holdsElements = false;
        for (XmlNode child = node.firstChild(); child; child = child.nextSibling())
            if (child.isElement()) {
                holdsElements = true;
                walk(child, here);
            }
        if (!holdsElements && node.nodeName() != QLatin1String("lastedit"))
            values << here + QLatin1Char('=') + node.text();
    };
    walk(doc.documentElement(), QString());
    return values;
}

} // namespace

TEST_F(WindowsTest, EveryEditorSavesTheValuesLeftAloneAsTheyWereRead) {
    openMain();
    r->onModal = [](QObject* w) {
        if (auto* tasks = qobject_cast<frmTasks*>(w))
            tasks->btnSave_Click();
        else if (auto* meetings = qobject_cast<frmMeetings*>(w))
            meetings->btnSave_Click();
        else if (auto* notes = qobject_cast<frmNotes*>(w))
            notes->btnCreate_Click();
        else if (auto* passwords = qobject_cast<frmPassword*>(w))
            passwords->btnCreate_Click();
    };
    const struct {
        const char* what;
        std::function<void()> open;
    } cases[] = {
        {"task: code with a space, description with LF alone, blank remarks",
         [] { frmTasks::EditTask(QStringLiteral("20-03-2025"), QStringLiteral("Taxes")); }},
        {"task: day key without zeros, code that names nothing",
         [] { frmTasks::EditTask(QStringLiteral("1-4-2025"), QStringLiteral("Call Jo")); }},
        {"meeting: times without a leading zero, a code that is no number",
         [] { frmMeetings::EditMeeting(QStringLiteral("20-03-2025"), QStringLiteral("Review")); }},
        {"meeting: times on the 24-hour clock",
         [] { frmMeetings::EditMeeting(QStringLiteral("20-03-2025"), QStringLiteral("Planning")); }},
        {"note: text of another code page", [] { frmNotes::EditNote(QStringLiteral("Recipe")); }},
        {"password: user name in lower-case digits, short password",
         [] { frmPassword::EditPassword(QStringLiteral("Bank")); }},
    };
    const QByteArray file = windowsFile();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.writeData(file);
        r->clear();
        r->answers = {MsgAnswer::Yes}; // the short password is kept
        c.open();
        ASSERT_FALSE(r->boxes.empty());
        EXPECT_EQ(r->last().title, QStringLiteral("Done!"));
        const QStringList before = storedValues(file), after = storedValues(folder.readData());
        QStringList changed;
        for (qsizetype i = 0; i < std::max(before.size(), after.size()); ++i)
            if (before.value(i) != after.value(i))
                changed << before.value(i) + QStringLiteral(" -> ") + after.value(i);
        EXPECT_EQ(changed, QStringList{});
    }
}
