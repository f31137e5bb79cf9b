#pragma once

#include "ProgramFolder.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

// The data file's root as it stands now, loaded into doc.
inline platform::XmlNode fileRoot(platform::XmlDocument& doc, const testsupport::TempProgramFolder& folder) {
    EXPECT_TRUE(doc.loadXml(folder.readData()));
    return doc.selectSingleNode(QStringLiteral(".//zandor"));
}
