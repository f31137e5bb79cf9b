#include "platform/XmlDocument.h"
#include "platform/ContentDigest.h"
#include "platform/FileIO.h"
#include "platform/XmlWellFormed.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

using platform::XmlDocument;
using platform::XmlNode;

namespace {

bool loads(const char* xml) {
    XmlDocument doc;
    return doc.loadXml(QByteArray(xml));
}

} // namespace

TEST(XmlDocument, RefusesWhatIsNotWellFormed) {
    EXPECT_TRUE(loads("<a><b x=\"1\" y=\"2\"/>text &amp; &lt;more&gt; &#65;&#x42;</a>"));
    EXPECT_FALSE(loads("<a/><b/>")) << "two root elements";
    EXPECT_FALSE(loads("<a/>trailing")) << "text after the root";
    EXPECT_FALSE(loads("trailing<a/>")) << "text before the root";
    EXPECT_FALSE(loads("<a>&nbsp;</a>")) << "undefined entity";
    EXPECT_FALSE(loads("<a x=\"&foo;\"/>")) << "undefined entity in an attribute";
    EXPECT_FALSE(loads("<a>fish & chips</a>")) << "bare ampersand";
    EXPECT_FALSE(loads("<a x=\"1\" x=\"2\"/>")) << "repeated attribute";
    EXPECT_FALSE(loads("<a><b></a>")) << "mismatched end";
    EXPECT_FALSE(loads("<a>")) << "unclosed root";
    EXPECT_FALSE(loads("")) << "empty file";
    EXPECT_FALSE(loads("   \n")) << "whitespace only";
    // Ampersands inside comments and CDATA are text, not references.
    EXPECT_TRUE(loads("<!-- a & b --><a><![CDATA[x & y]]><?pi a & b?></a>"));
    EXPECT_TRUE(loads("<a><?pi a & b?></a>")) << "an instruction alone, with no declaration";
    EXPECT_TRUE(loads("\xEF\xBB\xBF<?xml version=\"1.0\"?><a><?pi a & b?></a>"));
    EXPECT_FALSE(loads("<a><?pi a?>fish & chips</a>")) << "outside the instruction it is still bare";
    // The organiser never writes a document type; a file that holds one,
    // well-formed or not, is refused like any other it cannot take.
    for (const char* doctype : {"<!DOCTYPE a><a/>", "<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>",
                                "<!DOCTYPE a [<!ELEMENT a (#PCDATA)]><a/>", "<!DOCTYPE a [ <!-- ]> --> ]><a/>",
                                "<?xml version=\"1.0\"?>\n<!DOCTYPE zandor SYSTEM \"x.dtd\">\n<zandor/>"}) {
        XmlDocument doc;
        EXPECT_FALSE(doc.loadXml(doctype)) << doctype;
        EXPECT_FALSE(doc.lastError().isEmpty()) << doctype;
    }
    // An end tag names its start tag and holds nothing else but whitespace.
    const struct {
        const char* xml;
        bool loads;
    } endTags[] = {
        {"<zandor>\r\n\t<date  d = 'k' ></date\t>\n</zandor\r\n>\n", true},
        {"<zandor><a:b.c-d_1/><:x></:x></zandor>", true},
        {"<zandor><date></dat></zandor>", false},
        {"<zandor><dat></date></zandor>", false},
        {"<zandor><date d=\"1\"></date\xC3\xA9></zandor>", false},
        {"<zandor><date d=\"1\"></date  a></zandor>", false},
        {"<zandor><date d=\"1\"></ date></zandor>", false},
        {"<zandor><date d=\"1\"></date></zandorx>", false},
        {"<zandor><date d=\"1\"></date<></zandor>", false},
        {"<zandor><date d=\"1\"></date&amp;></zandor>", false},
    };
    for (const auto& c : endTags)
        EXPECT_EQ(loads(c.xml), c.loads) << c.xml;
}

TEST(XmlDocument, LayoutWhitespaceIsDroppedButABlankLeafKeepsIts) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadXml("<r>\n  <a>   </a>\n  <b>x</b>\n  <c/>\n  <d>\r\n\t</d>\n  <e> \n x</e>\n</r>"));
    XmlNode r = doc.documentElement();
    ASSERT_EQ(r.childCount(), 5);
    EXPECT_EQ(r.child(0).text(), QStringLiteral("   "));
    EXPECT_TRUE(r.child(0).hasChildNodes());
    EXPECT_EQ(r.child(1).text(), QStringLiteral("x"));
    EXPECT_FALSE(r.child(2).hasChildNodes());
    EXPECT_FALSE(r.child(3).hasChildNodes()) << "a line break is layout, never a field's blank";
    EXPECT_EQ(r.child(4).text(), QStringLiteral(" \n x"));
    EXPECT_TRUE(r.child(5).isNull());
}

TEST(XmlDocument, LineBreaksOfEveryKindComeBackAsWritten) {
    const QString texts[] = {QStringLiteral("a\r\nb"),   QStringLiteral("a\rb\r"), QStringLiteral("a\nb"),
                             QStringLiteral("\t<&>\"'"), QStringLiteral("\r"),     QStringLiteral("\n\n"),
                             QStringLiteral(" \r\n\t")};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.xml"));
    for (const QString& text : texts) {
        XmlDocument doc;
        ASSERT_TRUE(doc.loadXml("<r><f/></r>"));
        doc.setText(doc.documentElement().child(0), text);
        doc.setAttribute(doc.documentElement().child(0), QStringLiteral("t"), text);
        quint64 digest = 0;
        ASSERT_TRUE(doc.save(path, &digest));
        QByteArray saved;
        ASSERT_TRUE(platform::ReadWholeFile(path, saved));
        EXPECT_EQ(digest, platform::ContentDigest::of(saved));
        EXPECT_EQ(saved, doc.xml());
        for (const QByteArray& written : {doc.xml(), saved}) {
            XmlDocument back;
            ASSERT_TRUE(back.loadXml(written));
            EXPECT_EQ(back.documentElement().child(0).text(), text);
            EXPECT_EQ(back.documentElement().child(0).attributeText(0), text);
        }
    }
    // Loaded as written, such a text goes out as it came in, whether or not
    // anything was set since.
    const char* loaded[] = {"<r><f>&#10;</f></r>", "<r><f>&#32;\n</f></r>", "<r><g>x</g><f>\n&#9;</f></r>",
                            "<r><f>&#xA;&#13;</f></r>"};
    for (const char* xml : loaded) {
        for (bool touched : {false, true}) {
            XmlDocument doc;
            ASSERT_TRUE(doc.loadXml(xml));
            XmlNode r = doc.documentElement();
            const QString text = r.child(r.childCount() - 1).text();
            ASSERT_TRUE(text.contains(QLatin1Char('\n'))) << xml;
            if (touched)
                doc.setAttribute(r.child(0), QStringLiteral("t"), QStringLiteral("1"));
            QByteArray saved;
            ASSERT_TRUE(doc.save(path));
            ASSERT_TRUE(platform::ReadWholeFile(path, saved));
            XmlDocument back;
            ASSERT_TRUE(back.loadXml(saved));
            XmlNode b = back.documentElement();
            EXPECT_EQ(b.child(b.childCount() - 1).text(), text) << xml;
        }
    }
}

TEST(XmlDocument, AttributesKeepTheirOrderAndNewOnesGoLast) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadXml("<r z=\"1\" a=\"2\"/>"));
    XmlNode r = doc.documentElement();
    doc.setAttribute(r, QStringLiteral("a"), QStringLiteral("3"));
    doc.setAttribute(r, QStringLiteral("m"), QStringLiteral("4"));
    EXPECT_EQ(r.attributeName(0), QStringLiteral("z"));
    EXPECT_EQ(r.attributeText(1), QStringLiteral("3"));
    EXPECT_EQ(r.attributeName(2), QStringLiteral("m"));
    EXPECT_TRUE(r.firstAttributeEquals(QStringLiteral("1")));
    EXPECT_FALSE(r.firstAttributeEquals(QStringLiteral("1 ")));
}

TEST(XmlDocument, CreatedElementsNotAppendedAreNotSaved) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadXml("<r/>"));
    XmlNode kept = doc.createElement(QStringLiteral("kept"));
    doc.setText(kept, QStringLiteral("Zażółć ΑΒΓ 中文"));
    doc.createElement(QStringLiteral("dropped"));
    doc.appendChild(doc.documentElement(), kept);
    doc.setAttribute(kept, QStringLiteral("t"), QStringLiteral("after append"));
    // A node of another document is no node of this one.
    XmlDocument other;
    ASSERT_TRUE(other.loadXml("<o/>"));
    EXPECT_TRUE(doc.appendChild(doc.documentElement(), other.documentElement()).isNull());
    doc.setText(other.documentElement(), QStringLiteral("not here"));
    EXPECT_EQ(other.documentElement().text(), QString());
    XmlDocument again;
    ASSERT_TRUE(again.loadXml(doc.xml())) << doc.xml().constData();
    XmlNode r = again.documentElement();
    ASSERT_EQ(r.childCount(), 1);
    EXPECT_EQ(r.child(0).text(), QStringLiteral("Zażółć ΑΒΓ 中文"));
    EXPECT_EQ(r.child(0).attributeText(0), QStringLiteral("after append"));
}

TEST(XmlDocument, ReadsWindows1252FilesAndWideFiles) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadXml(QByteArray("<r t=\"caf\xE9\">\x80</r>")));
    EXPECT_EQ(doc.documentElement().attributeText(0), QString::fromUtf8("café"));
    EXPECT_EQ(doc.documentElement().text(), QString::fromUtf8("€"));

    QString wide = QStringLiteral("<r>ΑΒΓ</r>");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2);
    ASSERT_TRUE(doc.loadXml(utf16));
    EXPECT_EQ(doc.documentElement().text(), QStringLiteral("ΑΒΓ"));
}

TEST(XmlDocument, SelectsTheOrganisersPaths) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadXml("<zandor><notes><note title=\"a\"/></notes><passwords/></zandor>"));
    EXPECT_EQ(doc.selectSingleNode(QStringLiteral(".//zandor")).nodeName(), QStringLiteral("zandor"));
    EXPECT_EQ(doc.selectSingleNode(QStringLiteral(".//zandor/passwords")).nodeName(), QStringLiteral("passwords"));
    EXPECT_TRUE(doc.selectSingleNode(QStringLiteral(".//zandor/missing")).isNull());
    EXPECT_TRUE(doc.selectSingleNode(QStringLiteral(".//other")).isNull());
    // A root of another name still finds a deeper match, as a real search does.
    ASSERT_TRUE(doc.loadXml("<wrap><zandor><notes/></zandor></wrap>"));
    EXPECT_EQ(doc.selectSingleNode(QStringLiteral(".//zandor/notes")).nodeName(), QStringLiteral("notes"));
}

TEST(XmlDocument, TextJoinsEverythingBelowAnElementHoweverDeep) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadXml("<r><f>x<b>y<c/><c>z</c></b>w</f><g/></r>"));
    EXPECT_EQ(doc.documentElement().child(0).text(), QStringLiteral("xyzw"));
    EXPECT_EQ(doc.documentElement().text(), QStringLiteral("xyzw"));

    // A field nested as deep as a file may go loads; one level more is refused.
    auto nested = [](int depth) {
        QByteArray deep = "<r><f>";
        for (int i = 2; i < depth; ++i)
            deep += "<a>";
        deep += "deep";
        for (int i = 2; i < depth; ++i)
            deep += "</a>";
        return deep + "</f></r>";
    };
    ASSERT_TRUE(doc.loadXml(nested(platform::kMaxXmlDepth)));
    EXPECT_EQ(doc.documentElement().child(0).text(), QStringLiteral("deep"));
    EXPECT_FALSE(doc.loadXml(nested(platform::kMaxXmlDepth + 1)));
    // Saved without indentation, which would grow with the square of the depth.
    ASSERT_TRUE(doc.loadXml(nested(platform::kMaxXmlDepth)));
    EXPECT_LT(doc.xml().size(), nested(platform::kMaxXmlDepth).size() + 64);
}

namespace {

// A data file of many ordinary records with one odd line far into it, so the
// odd line is not found by looking only near the start.
QByteArray farInto(const QByteArray& oddLine) {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<zandor>\n";
    for (int i = 0; i < 5000; ++i)
        xml += "\t<task title=\"Task " + QByteArray::number(i) +
               "\">\n\t\t<priority>2</priority>\n\t\t<desc>A0B1</desc>\n\t\t<remarks />\n\t</task>\n";
    return xml + oddLine + "\n</zandor>\n";
}

} // namespace

TEST(XmlDocument, RepeatedAttributesAreRefusedAnywhereInALargeFile) {
    EXPECT_TRUE(loads(farInto("<x a=\"1\" b=\"a=b\"/>")));
    EXPECT_FALSE(loads(farInto("<x a=\"1\" b=\"2\" a=\"3\"/>")));
    EXPECT_FALSE(loads(farInto("<x a=\">\" a=\"2\"/>"))) << "a '>' inside a value does not end the tag";
    EXPECT_FALSE(loads(farInto("<x\n a='1'\n\ta = '2'></x>")));
}

TEST(XmlDocument, LayoutOnlyContentIsDroppedAnywhereInALargeFile) {
    // Each element below holds nothing but layout, however it is written.
    const char* layouts[] = {
        "<tasks>\n\t</tasks>",          "<tasks>\r\n</tasks>", "<tasks>\r</tasks>",
        "<tasks a=\"x>\">\n</tasks>",   "<tasks\n>\n</tasks>", "<tasks><!-- </x -->\n</tasks>",
        "<tasks><?pi </x ?>\n</tasks>",
    };
    for (const char* layout : layouts) {
        XmlDocument doc;
        ASSERT_TRUE(doc.loadXml(farInto(layout))) << layout;
        XmlNode root = doc.documentElement();
        XmlNode odd = root.child(root.childCount() - 1);
        EXPECT_EQ(odd.nodeName(), QStringLiteral("tasks")) << layout;
        EXPECT_FALSE(odd.hasChildNodes()) << layout;
    }
    // Blanks, text that merely holds a line break, and whitespace written
    // with a reference (as this program writes a field of line breaks) are
    // content, kept.
    const char* contents[] = {"<tasks>  </tasks>",       "<tasks>\n x</tasks>",    "<tasks><![CDATA[\n]]></tasks>",
                              "<tasks>&#65;\n</tasks>",  "<tasks><b/>\n</tasks>",  "<tasks>&#10;</tasks>",
                              "<tasks> &#x0D; </tasks>", "<tasks>&#32;\n</tasks>", "<tasks>\n&#9;</tasks>"};
    for (const char* content : contents) {
        XmlDocument doc;
        ASSERT_TRUE(doc.loadXml(farInto(content))) << content;
        XmlNode root = doc.documentElement();
        EXPECT_TRUE(root.child(root.childCount() - 1).hasChildNodes()) << content;
    }
}

TEST(XmlDocument, EveryTextReadsBackExactly) {
    // A U+FEFF is an ordinary character of a text wherever it stands; so is
    // the rest of Unicode.
    const QString bom(QChar(0xFEFF));
    const QString texts[] = {bom,
                             bom + QStringLiteral("Title"),
                             QStringLiteral("Ti") + bom + QStringLiteral("tle"),
                             QStringLiteral("Title") + bom,
                             bom + bom + QStringLiteral("x"),
                             QStringLiteral("caf\u00E9 \u4E2D\u6587 \U0001F600"),
                             QString()};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        XmlDocument doc;
        ASSERT_TRUE(doc.loadXml("<r><f/><g>x<![CDATA[y]]></g></r>"));
        const XmlNode f = doc.documentElement().child(0);
        doc.setText(f, text);
        doc.setAttribute(f, QStringLiteral("t"), text);
        // Spread over two pieces, the text is joined before it is read.
        doc.setText(doc.documentElement().child(1).firstChild(), text);
        XmlDocument back;
        ASSERT_TRUE(back.loadXml(doc.xml()));
        const XmlNode r = back.documentElement();
        EXPECT_EQ(r.child(0).text(), text);
        EXPECT_EQ(r.child(0).attributeText(0), text);
        EXPECT_EQ(r.child(1).text(), text + QStringLiteral("y"));
    }
}

TEST(XmlDocument, ReadsEveryEncodingItsFilesComeIn) {
    QByteArray wideLittle("\xFF\xFE", 2), wideBig("\xFE\xFF", 2), wideUnmarked;
    for (char c : QByteArray("<r>x</r>")) {
        wideLittle.append(c).append('\0');
        wideBig.append('\0').append(c);
        wideUnmarked.append(c).append('\0');
    }
    struct Case {
        QByteArray xml;
        bool loads;
    } const cases[] = {
        {"<a><!-- c --><b/></a>", true},
        {"<a><![CDATA[<x>]]></a>", true},
        {"<a x=\"1\" y=\"2\"/>", true},
        {"<\xC3\xA9/>", true},
        {"<a\xC2\xA0/>", false},
        {"<a x=\"<\"/>", false},
        {"<a>]]></a>", false},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><a>\xE9</a>", true},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>x</a>", true},
        {"<?xml version=\"1.0\" encoding=\"koi8-r\"?><a>x</a>", false},
        {"<a>\x80 undeclared</a>", true},
        {"\xEF\xBB\xBF<a>marked</a>", true},
        {wideLittle, true},
        {wideBig, true},
        {wideUnmarked, true},
        {wideLittle + 'x', false},
        {"\xEF\xBB\xBF<a>\xE9</a>", false},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1252\"?><a/>", false},
    };
    for (const Case& c : cases) {
        XmlDocument doc;
        EXPECT_EQ(doc.loadXml(c.xml), c.loads) << c.xml.toHex().constData();
        EXPECT_EQ(doc.lastError().isEmpty(), c.loads) << c.xml.toHex().constData();
    }
}

// Nothing Qt's own reader finds not well-formed is taken, wherever a stray
// byte falls. (Bytes that are not UTF-8 are left out: those are read in the
// Windows code page. The converse does not hold: that reader lets through
// some characters XML cannot hold.)
TEST(XmlDocument, NeverTakesWhatAConformingReaderRefuses) {
    const QByteArray seeds[] = {
        "<?xml version=\"1.0\"?>\n<zandor>\n\t<notes>\n\t\t<note title=\"A &amp; B\">\n\t\t\t<text>E5025A</text>\n"
        "\t\t</note>\n\t</notes>\n\t<passwords/>\n\t<date d=\"01-01-2000\">\n\t\t<tasks>\n\t\t</tasks>\n\t</date>\n"
        "</zandor>\n",
        "<a x='1'><b>t&#10;</b><c>\n </c><d y=\"&lt;\"/>caf\xC3\xA9</a>",
        "<a><b>]]</b><c>x&gt;y</c>\r\n<e>&#x20;</e><!-- c --><?p i?><![CDATA[z]]></a>  ",
        "<?xml version='1.0' encoding='UTF-8'?><r><s a=\"\xE2\x82\xAC\">\xF0\x9F\x98\x80</s></r>",
    };
    // Bytes that mean something in markup, and some that do not. Colons and
    // version digits are left out: that reader takes names with colons for
    // namespaces whatever it is told, and knows no version but 1.0.
    const char alphabet[] = "<>/&\"'=!?-[]; \t\n\rabx#\x01\x80\xC3\xA9.";
    std::mt19937 random(7);
    int taken = 0;
    for (int i = 0; i < 40000; ++i) {
        QByteArray d = seeds[random() % std::size(seeds)];
        for (int k = 1 + static_cast<int>(random() % 3); k > 0; --k) {
            const int at = static_cast<int>(random() % static_cast<unsigned>(d.size() + 1));
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            switch (random() % 3) {
            case 0:
                d.insert(at, c);
                break;
            case 1:
                d.remove(at, 1);
                break;
            default:
                if (at < d.size())
                    d[at] = c;
            }
        }
        const platform::XmlCheck check = platform::CheckWellFormed(d.constData(), d.constData() + d.size());
        if (check.notUtf8)
            continue;
        XmlDocument doc;
        const bool ours = doc.loadXml(d);
        QXmlStreamReader reference(d);
        reference.setNamespaceProcessing(false);
        while (!reference.atEnd())
            reference.readNext();
        taken += ours;
        ASSERT_TRUE(!ours || !reference.hasError()) << qPrintable(reference.errorString()) << ": " << d.constData();
    }
    // Enough of the mutations stay well-formed for the comparison to mean
    // something.
    EXPECT_GT(taken, 3000);
}
