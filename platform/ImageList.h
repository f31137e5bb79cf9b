#pragma once

#include "platform/Gdi.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <vector>

namespace platform {

// A list of equally sized pictures, each with an optional key, as the common
// controls' image list holds them. Positions are 1-based, as callers name them.
class ImageList : public QObject {
    Q_OBJECT
public:
    struct ListImage {
        QString Key;
        QImage Picture;
        // The picture as an icon, ready to be painted.
        QImage ExtractIcon() const { return Picture; }
    };

    explicit ImageList(QObject* parent = nullptr) : QObject(parent) {}

    // Appends a picture and returns its position.
    int Add(const QImage& picture, const QString& key = QString());
    // Appends the picture of a file; a file that cannot be read adds an empty
    // picture. The file is read when its picture is first asked for: a list
    // of many pictures of which few are on show costs little to fill.
    int AddFile(const QString& path, const QString& key = QString());
    int Count() const { return static_cast<int>(m_images.size()); }
    // The picture at a position; RuntimeError 35600 "Index out of bounds" when
    // there is none.
    const ListImage& ListImages(int index) const;
    // The picture with a key; RuntimeError 35601 "Element not found" when none has it.
    const ListImage& ListImages(const QString& key) const;
    void Clear() {
        m_images.clear();
        m_files.clear();
    }

private:
    mutable std::vector<ListImage> m_images;
    // The file of each picture not read yet; empty once read, or when added
    // as a picture.
    mutable std::vector<QString> m_files;
    const ListImage& loaded(size_t position) const;
};

// The rectangle of an image (0-based here, as the window system counts) of the
// image list with that handle (HandleOf the list). False when there is none.
bool ImageList_GetImageRect(int32_t imageListHandle, int index, RECT& rect);
// The image list with that handle, or null.
ImageList* ImageListFromHandle(int32_t imageListHandle);

} // namespace platform
