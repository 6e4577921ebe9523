// The Qt side of an image list; included only by the layer's sources.
#pragma once

#include "ui/image_list.h"

#include <QIcon>
#include <QSize>

#include <functional>
#include <vector>

struct CImageList::Impl {
    QSize size;
    bool created = false;
    std::vector<QIcon> icons;
    std::function<void(int)> observer;
};

inline const CImageList::Impl& ImagesOf(const CImageList& list) {
    return *list.m_impl;
}
