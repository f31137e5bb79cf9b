#include "platform/ImageList.h"

#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace platform {

int ImageList::Add(const QImage& picture, const QString& key) {
    m_images.push_back(ListImage{key, picture});
    return Count();
}

int ImageList::AddFile(const QString& path, const QString& key) {
    return Add(QImage(path), key);
}

const ImageList::ListImage& ImageList::ListImages(int index) const {
    if (index < 1 || index > Count())
        throw RuntimeError(35600, QStringLiteral("ImageList"), QStringLiteral("Index out of bounds"));
    return m_images[static_cast<size_t>(index - 1)];
}

const ImageList::ListImage& ImageList::ListImages(const QString& key) const {
    for (const ListImage& image : m_images)
        if (image.Key == key)
            return image;
    throw RuntimeError(35601, QStringLiteral("ImageList"), QStringLiteral("Element not found"));
}

ImageList* ImageListFromHandle(int32_t imageListHandle) {
    return qobject_cast<ImageList*>(ObjectFromHandle(imageListHandle));
}

bool ImageList_GetImageRect(int32_t imageListHandle, int index, RECT& rect) {
    ImageList* list = ImageListFromHandle(imageListHandle);
    if (!list || index < 0 || index >= list->Count())
        return false;
    const QImage& picture = list->ListImages(index + 1).Picture;
    SetRect(rect, 0, 0, picture.width(), picture.height());
    return true;
}

} // namespace platform
