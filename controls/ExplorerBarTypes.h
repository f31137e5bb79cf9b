#pragma once

#include "platform/Gdi.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

// The keys the bar gives its special and details groups, and the style names
// it draws itself.
inline const QString kSpecialGroupKey = QStringLiteral("Special Group");
inline const QString kDetailsGroupKey = QStringLiteral("Details Group");
inline const QString kClassicStyle = QStringLiteral("Classic");
inline const QString kMetallicStyle = QStringLiteral("Metallic");
inline const QString kHomeSteadStyle = QStringLiteral("HomeStead");

// One item of an explorer bar group: a clickable caption with an optional icon.
struct ExplorerItem {
    QString GroupKey; // "Special Group" for the special group's items, else the group argument as text
    QString Key;
    int Index = 0; // 1-based position when added
    QString Caption;
    int Icon = -1; // 1-based image-list position; -1 none
    platform::RECT ItemRect;
    bool Hover = false;
};

// One group: a caption header over a body of items or of one hosted control.
struct ExplorerGroup {
    QString Key;
    QString Caption;
    std::vector<ExplorerItem> Items = std::vector<ExplorerItem>(1); // 1..ItemCount; element 0 stays empty
    int ItemCount = 0;
    bool Expanded = true;
    platform::RECT HeaderRect;
    bool Hover = false;
    int State = 1; // 1 normal, 2 hot, 3 pressed
    int32_t BodyHeight = 0;
    QPointer<QWidget> Child;
};

// Where a themed part goes: origin and size, not right and bottom.
struct ThemeDrawRect {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

// The parameters of one themed drawing, reused for every part.
struct ThemeDrawRecord {
    QString ThemeClass;
    int32_t PartId = 0;
    int32_t StateId = 0;
    QImage* hDC = nullptr;   // the surface drawn on
    QWidget* hWnd = nullptr; // the window that surface belongs to
    ThemeDrawRect DrawRect;
    QString Text;
    uint32_t TextFlags = 0;
    int32_t IconIndex = -1;
    int32_t ImageListHandle = 0;
    bool UsePartSize = false;
    bool Succeeded = false;
    int32_t TextIndent = 0;
    int32_t TextRightIndent = 0;
};
