#pragma once

#include "data/Views.h"
#include "platform/XmlDocument.h"

#include <QString>
#include <cstdint>

// Shared operations on the data file and the vocabulary tasks and meetings
// share.
namespace mFunctions {

// Whether the element at sPath has a child named sNodeName whose first
// attribute is sAttrValue (any such child when sAttrValue is blank).
bool NodeExists(const QString& sPath, const QString& sNodeName, const QString& sAttrValue);
// Removes every day that holds neither tasks nor meetings.
void RemoveEmptyDateNodes();

QString GetPriorityText(int16_t code);
QString GetTaskStatusText(int16_t code);
QString GetMeetingForText(int16_t code);
// The list preview: texts of 30 characters or more are cut to 30 and " ...".
QString ShortenText(const QString& text);
QString ShortenText(QString&& text);
// The characters a shortened text keeps.
constexpr int kShortenedLength = 30;
// Whether the end time is strictly later in the day than the start time.
bool IsTimeAfter(const QString& sStart, const QString& sEnd);

// The same operations on a document an operation has already loaded, so one
// operation loads and saves the file once.
bool NodeExistsIn(const platform::XmlDocument& doc, const QString& sPath, const QString& sNodeName,
                  const QString& sAttrValue);
// Removes the empty days under the document's root and returns how many went.
int RemoveEmptyDateNodesIn(platform::XmlDocument& doc, platform::XmlNode root);

} // namespace mFunctions
