#include "platform/XmlDocument.h"
#include "platform/Files.h"
#include "platform/XmlWellFormed.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iterator>
#include <pugixml.hpp>
#include <random>
#include <sstream>

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
}

TEST(XmlDocument, MissingFileDoesNotLoad) {
    XmlDocument doc;
    EXPECT_FALSE(doc.load(QStringLiteral("/nonexistent/folder/data.xml")));
    EXPECT_FALSE(doc.lastError().isEmpty());
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
        doc.documentElement().child(0).setText(text);
        doc.documentElement().child(0).setAttribute(QStringLiteral("t"), text);
        ASSERT_TRUE(doc.save(path));
        for (const QByteArray& written : {doc.xml(), QByteArray()}) {
            XmlDocument back;
            ASSERT_TRUE(written.isEmpty() ? back.load(path) : back.loadXml(written));
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
                r.child(0).setAttribute(QStringLiteral("t"), QStringLiteral("1"));
            ASSERT_TRUE(doc.save(path));
            XmlDocument back;
            ASSERT_TRUE(back.load(path));
            XmlNode b = back.documentElement();
            EXPECT_EQ(b.child(b.childCount() - 1).text(), text) << xml;
        }
    }
}

TEST(XmlDocument, AttributesKeepTheirOrderAndNewOnesGoLast) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadXml("<r z=\"1\" a=\"2\"/>"));
    XmlNode r = doc.documentElement();
    r.setAttribute(QStringLiteral("a"), QStringLiteral("3"));
    r.setAttribute(QStringLiteral("m"), QStringLiteral("4"));
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
    kept.setText(QStringLiteral("Zażółć ΑΒΓ 中文"));
    doc.createElement(QStringLiteral("dropped"));
    doc.documentElement().appendChild(kept);
    kept.setAttribute(QStringLiteral("t"), QStringLiteral("after append"));
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

namespace {

bool treeBuilderTakes(QByteArray bytes) {
    pugi::xml_document doc;
    bytes.detach();
    return doc.load_buffer_inplace(bytes.data(), static_cast<size_t>(bytes.size()),
                                   pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_utf8);
}

// The quick pass either finds exactly what the full pass finds or stays unsure.
void expectQuickAgrees(const QByteArray& d) {
    platform::XmlCheck quick;
    const bool sure = platform::QuickCheckWellFormed(d.constData(), d.constData() + d.size(), &quick);
    if (!sure || !treeBuilderTakes(d))
        return;
    const platform::XmlCheck full = platform::CheckWellFormed(d.constData(), d.constData() + d.size());
    ASSERT_TRUE(full.ok) << "taken by the quick pass, refused by the full one (" << qPrintable(full.error)
                         << "): " << d.constData();
    EXPECT_EQ(quick.layoutOnlyElements, full.layoutOnlyElements) << d.constData();
    EXPECT_EQ(quick.maxDepth, full.maxDepth) << d.constData();
    EXPECT_EQ(quick.spaceReference, full.spaceReference) << d.constData();
    EXPECT_EQ(quick.declaredEncoding, full.declaredEncoding) << d.constData();
}

std::string printed(const pugi::xml_node& node) {
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

// Judging the whole, the quick pass is sure only of what the full pass and the
// tree builder both take, finds what they find, and says where each of the
// root's children stands: those bytes alone build the same element.
bool expectWholeAgrees(const QByteArray& d) {
    platform::XmlCheck whole;
    platform::XmlOutline outline;
    if (!platform::QuickCheckWhole(d.constData(), d.constData() + d.size(), &whole, &outline))
        return false;
    platform::XmlCheck quick;
    EXPECT_TRUE(platform::QuickCheckWellFormed(d.constData(), d.constData() + d.size(), &quick)) << d.constData();
    const platform::XmlCheck full = platform::CheckWellFormed(d.constData(), d.constData() + d.size());
    pugi::xml_document doc;
    QByteArray copy = d;
    copy.detach();
    const bool built = doc.load_buffer_inplace(copy.data(), static_cast<size_t>(copy.size()),
                                               pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_utf8);
    EXPECT_TRUE(full.ok && built) << "judged whole, refused by the full pass or the tree builder: " << d.constData();
    if (!full.ok || !built)
        return true;
    EXPECT_EQ(whole.layoutOnlyElements, full.layoutOnlyElements) << d.constData();
    EXPECT_EQ(whole.maxDepth, full.maxDepth) << d.constData();
    EXPECT_EQ(whole.spaceReference, full.spaceReference) << d.constData();
    EXPECT_EQ(whole.declaredEncoding, full.declaredEncoding) << d.constData();
    const pugi::xml_node root = doc.document_element();
    EXPECT_EQ(outline.rootName, QByteArrayView(root.name())) << d.constData();
    size_t i = 0;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        if (i >= outline.children.size())
            break;
        const platform::XmlOutline::Element& e = outline.children[i++];
        EXPECT_EQ(e.name, QByteArrayView(c.name())) << d.constData();
        EXPECT_EQ(e.valued, !c.first_attribute().empty()) << d.constData();
        if (e.valued && !e.value.contains('&') && !e.value.contains('\n') && !e.value.contains('\r') &&
            !e.value.contains('\t')) {
            EXPECT_EQ(e.value, QByteArrayView(c.first_attribute().value())) << d.constData();
        }
        pugi::xml_document alone;
        QByteArray bytes = e.bytes.toByteArray();
        EXPECT_TRUE(alone.load_buffer_inplace(bytes.data(), static_cast<size_t>(bytes.size()),
                                              pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_utf8))
            << d.constData();
        EXPECT_EQ(printed(alone.document_element()), printed(c)) << d.constData();
    }
    EXPECT_EQ(i, outline.children.size()) << d.constData();
    return true;
}

} // namespace

TEST(XmlDocument, TheQuickPassNeverTakesWhatTheFullPassRefuses) {
    const QByteArray seeds[] = {
        "<?xml version=\"1.0\"?>\n<zandor>\n\t<notes>\n\t\t<note title=\"A &amp; B\">\n\t\t\t<text>E5025A</text>\n"
        "\t\t</note>\n\t</notes>\n\t<passwords/>\n\t<date d=\"01-01-2000\">\n\t\t<tasks>\n\t\t</tasks>\n\t</date>\n"
        "</zandor>\n",
        "<a x='1'><b>t&#10;</b><c>\n </c><d y=\"&lt;\"/>caf\xC3\xA9</a>",
        "<a><b>]]</b><c>x&gt;y</c>\r\n<e>&#x20;</e></a>  ",
        "<?xml version='1.0' encoding='UTF-8'?><r><s a=\"\xE2\x82\xAC\">\xF0\x9F\x98\x80</s></r>",
    };
    // Every byte that means something to either pass, and some that do not.
    const char alphabet[] = "<>/&\"'=!?-[]; \t\n\rabx#1\x01\x80\xC3\xA9:.";
    std::mt19937 random(7);
    int judgedWhole = 0;
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
        expectQuickAgrees(d);
        judgedWhole += expectWholeAgrees(d);
        if (HasFatalFailure() || HasNonfatalFailure())
            return;
    }
    // Enough of the mutations stay judged whole for the comparison to mean
    // something.
    EXPECT_GT(judgedWhole, 3000);
    for (int depth : {256, 257}) {
        QByteArray d = QByteArray("<a>").repeated(depth) + "\n" + QByteArray("</a>").repeated(depth);
        expectQuickAgrees(d);
        expectWholeAgrees(d);
    }
}

// Judging the whole, the quick pass takes over what the full pass leaves to
// the tree builder: an end tag naming its start tag and nothing else.
TEST(XmlDocument, JudgingTheWholeRefusesWhatOnlyTheTreeBuilderCatches) {
    const struct {
        const char* xml;
        bool whole;
    } cases[] = {
        {"<zandor>\r\n\t<date  d = 'k' ></date\t>\n</zandor\r\n>\n", true},
        {"<zandor><a:b.c-d_1/><:x></:x></zandor>", true},
        {"<zandor><date></dat></zandor>", false},
        {"<zandor><dat></date></zandor>", false},
        {"<zandor><date d=\"1\"></date\xC3\xA9></zandor>", false},
        {"<zandor><date d=\"1\"></date  a></zandor>", false},
        {"<zandor><date d=\"1\"></ date></zandor>", false},
        {"<zandor><date d=\"1\"></date></ zandor>", false},
        {"<zandor><date d=\"1\"></date></zandorx>", false},
        {"<zandor><date d=\"1\"></date></zando>", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        EXPECT_EQ(expectWholeAgrees(c.xml), c.whole);
        EXPECT_EQ(treeBuilderTakes(c.xml), c.whole);
    }
}

// A file read from the disk loads as the same bytes handed over in memory do,
// whichever pass judges them and whatever their encoding.
TEST(XmlDocument, WhatTheQuickPassLeavesOrMissesIsJudgedInFull) {
    QByteArray wide("\xFF\xFE", 2);
    for (char c : QByteArray("<r>x</r>"))
        wide.append(c).append('\0');
    struct Case {
        QByteArray xml;
        bool loads;
    } const cases[] = {
        {"<a><!-- c --><b/></a>", true},
        {"<a><![CDATA[<x>]]></a>", true},
        {"<a><?pi x?></a>", true},
        {"<!DOCTYPE a><a/>", true},
        {"<a x=\"1\" y=\"2\"/>", true},
        {"<a x=\"1\" x=\"2\"/>", false},
        {"<\xC3\xA9/>", true},
        {"<a\xC2\xA0/>", false},
        {"<a></b>", false},
        {"<a><b></c></a>", false},
        {"<a x=\"<\"/>", false},
        {"<a>]]></a>", false},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><a>\xE9</a>", true},
        {"<a>\x80 undeclared</a>", true},
        {"\xEF\xBB\xBF<a>marked</a>", true},
        {wide, true},
        {"\xEF\xBB\xBF<a>\xE9</a>", false},
    };
    for (const Case& c : cases) {
        XmlDocument fromText;
        EXPECT_EQ(fromText.loadXml(c.xml), c.loads) << c.xml.constData();
        EXPECT_EQ(fromText.lastError().isEmpty(), c.loads) << c.xml.constData();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("data.xml"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.xml);
        f.close();
        XmlDocument fromFile;
        quint64 digest = 0;
        EXPECT_EQ(fromFile.load(path, &digest), c.loads) << c.xml.constData();
        EXPECT_EQ(fromFile.lastError(), fromText.lastError()) << c.xml.constData();
        // The digest is of the bytes on disk, whichever way they were judged.
        if (c.loads) {
            EXPECT_EQ(fromFile.xml(), fromText.xml()) << c.xml.constData();
            EXPECT_EQ(digest, platform::ContentDigest::of(c.xml)) << c.xml.constData();
        }
    }
}
