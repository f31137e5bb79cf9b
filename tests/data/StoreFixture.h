#pragma once

#include "data/Views.h"

#include "MessageBoxResponder.h"
#include "ProgramFolder.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// A program folder with the shipped data file, a responder for the boxes and
// loaders that only record what the stores asked the windows to show.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        mFunctions::SetCurrentView(mFunctions::ViewToday);
        views::Loaders l;
        l.loadTodaySchedule = [this](const QString& d) { calls << QStringLiteral("today(%1)").arg(d); };
        l.loadScheduleList = [this](int k, const QString& d) { calls << QStringLiteral("list(%1,%2)").arg(k).arg(d); };
        l.loadNotesList = [this](const QString& d) { calls << QStringLiteral("notes(%1)").arg(d); };
        l.loadPasswordsList = [this]() { calls << QStringLiteral("passwords()"); };
        l.setCalendarDate = [this](const QDate& d) {
            calls << QStringLiteral("calendar(%1)").arg(d.toString(Qt::ISODate));
        };
        views::InstallLoaders(l);
    }
    void TearDown() override { views::InstallLoaders({}); }

    // The data file with whitespace between elements removed, for comparing.
    QString data() const {
        QString s = QString::fromUtf8(folder.readData());
        s.remove(QLatin1Char('\n')).remove(QLatin1Char('\t'));
        return s.mid(s.indexOf(QLatin1String("<zandor")));
    }

    testsupport::TempProgramFolder folder;
    testsupport::ScopedResponder boxes;
    QStringList calls;
};

inline const char* const kFatalTitle = "Data File is missing or invalid!";
inline const char* const kAccessTitle = "Error in accessing information in Data File.";
