#include "data/mFunctions.h"

#include "data/DataFile.h"
#include "data/mGeneralFunctions.h"
#include "platform/Text.h"

#include <algorithm>

namespace mFunctions {

bool NodeExistsIn(const platform::XmlDocument& doc, const QString& sPath, const QString& sNodeName,
                  const QString& sAttrValue) {
    platform::XmlNode container = doc.selectSingleNode(sPath);
    if (!container)
        DataFile::Fatal();
    const bool anyValue = mGeneralFunctions::IsBlank(sAttrValue);
    const QByteArray wanted = sAttrValue.toUtf8();
    for (platform::XmlNode c = container.firstChild(); c; c = c.nextSibling()) {
        if ((anyValue || c.firstAttributeEquals(wanted)) && c.nodeName() == sNodeName)
            return true;
    }
    return false;
}

bool NodeExists(const QString& sPath, const QString& sNodeName, const QString& sAttrValue) {
    const DataFile::ReadDocument doc = DataFile::Read();
    return NodeExistsIn(*doc, sPath, sNodeName, sAttrValue);
}

int RemoveEmptyDateNodesIn(platform::XmlDocument& doc, platform::XmlNode root) {
    int removed = 0;
    for (platform::XmlNode c = root.firstChild(); c;) {
        platform::XmlNode next = c.nextSibling();
        // A day without one of its two containers holds no records there either.
        if (c.nodeName() == QLatin1String("date") && !c.child(0).hasChildNodes() && !c.child(1).hasChildNodes()) {
            doc.removeChild(root, c);
            ++removed;
        }
        c = next;
    }
    return removed;
}

void RemoveEmptyDateNodes() {
    DataFile::EditDocument doc = DataFile::TryEdit();
    if (!doc)
        return;
    platform::XmlNode root = doc->selectSingleNode(QStringLiteral(".//zandor"));
    if (!root || !root.hasChildNodes())
        return;
    // One durable save after every empty day is gone, not one per day: the
    // same final content for one flushed write instead of many.
    if (RemoveEmptyDateNodesIn(*doc, root) > 0)
        DataFile::Save(std::move(doc));
}

QString GetPriorityText(int16_t code) {
    switch (code) {
    case 0:
        return QStringLiteral("Urgent");
    case 1:
        return QStringLiteral("High");
    case 2:
        return QStringLiteral("Normal");
    case 3:
        return QStringLiteral("Low");
    default:
        return QStringLiteral("- Unknown -");
    }
}

QString GetTaskStatusText(int16_t code) {
    switch (code) {
    case 0:
        return QStringLiteral("Not Started");
    case 1:
        return QStringLiteral("In Progress");
    case 2:
        return QStringLiteral("Waiting for someone else");
    case 3:
        return QStringLiteral("Waiting for Decision");
    case 4:
        return QStringLiteral("Completed");
    case 5:
        return QStringLiteral("Deferred");
    default:
        return QStringLiteral("- Unknown -");
    }
}

QString GetMeetingForText(int16_t code) {
    switch (code) {
    case 0:
        return QStringLiteral("General Body Meeting");
    case 1:
        return QStringLiteral("General Client Meeting");
    case 2:
        return QStringLiteral("Business Discussions");
    case 3:
        return QStringLiteral("Technical Discussions");
    case 4:
        return QStringLiteral("Project Planning");
    case 5:
        return QStringLiteral("Resource Planning");
    default:
        return QStringLiteral("- Unknown -");
    }
}

namespace {

// The units of a text's first kShortenedLength characters, or -1 when it has
// no more characters than that and is shown whole.
qsizetype shortenedUnits(const QString& text) {
    const char16_t* t = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    // Nearly every text has no surrogate among its first characters.
    const qsizetype head = std::min<qsizetype>(size, kShortenedLength);
    bool surrogates = false;
    for (qsizetype u = 0; u < head; ++u)
        surrogates |= (t[u] & 0xF800) == 0xD800;
    if (!surrogates)
        return size < kShortenedLength ? -1 : kShortenedLength;
    // Count characters, not UTF-16 units, so a letter outside the basic plane
    // is neither counted twice nor cut in half.
    qsizetype units = 0;
    for (int chars = 0; chars < kShortenedLength; ++chars) {
        if (units >= size)
            return -1;
        units += (QChar::isHighSurrogate(t[units]) && units + 1 < size && QChar::isLowSurrogate(t[units + 1])) ? 2 : 1;
    }
    return units;
}

const QLatin1String kEllipsis(" ...");

} // namespace

QString ShortenText(const QString& text) {
    const qsizetype units = shortenedUnits(text);
    if (units < 0)
        return text;
    QString shortened;
    shortened.reserve(units + kEllipsis.size());
    return shortened.append(QStringView(text).left(units)).append(kEllipsis);
}

QString ShortenText(QString&& text) {
    const qsizetype units = shortenedUnits(text);
    if (units < 0)
        return std::move(text);
    // Shortened in place: a text made for a list has room for the ending.
    text.truncate(units);
    return std::move(text.append(kEllipsis));
}

bool IsTimeAfter(const QString& sStart, const QString& sEnd) {
    const QTime start = platform::ParseTimeLenient(sStart);
    const QTime end = platform::ParseTimeLenient(sEnd);
    if (!start.isValid() || !end.isValid())
        return false;
    return end.msecsSinceStartOfDay() / 1000 > start.msecsSinceStartOfDay() / 1000;
}

} // namespace mFunctions
