#include "platform/ImageList.h"

#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace platform {

int ImageList::Add(const QImage& picture, const QString& key) {
    m_images.push_back(ListImage{key, picture});
    m_files.emplace_back();
    return Count();
}

int ImageList::AddFile(const QString& path, const QString& key) {
    const int position = Add(QImage(), key);
    m_files.back() = path;
    return position;
}

const ImageList::ListImage& ImageList::loaded(size_t position) const {
    if (!m_files[position].isEmpty()) {
        m_images[position].Picture = QImage(m_files[position]);
        m_files[position].clear();
    }
    return m_images[position];
}

const ImageList::ListImage& ImageList::ListImages(int index) const {
    if (index < 1 || index > Count())
        throw RuntimeError(35600, QStringLiteral("ImageList"), QStringLiteral("Index out of bounds"));
    return loaded(static_cast<size_t>(index - 1));
}

const ImageList::ListImage& ImageList::ListImages(const QString& key) const {
    for (size_t i = 0; i < m_images.size(); ++i)
        if (m_images[i].Key == key)
            return loaded(i);
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
