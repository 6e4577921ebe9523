// A list of equally sized images, shown by a list control as its rows' thumbnails.
#pragma once

#include "ui/types.h"

#include <functional>
#include <memory>

class CBitmap;

class CImageList {
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // The colour depth is the layer's own; grow is accepted for form's sake.
    bool Create(int cx, int cy, unsigned flags, int initial, int grow);
    void DeleteImageList();

    int GetImageCount() const;
    int GetImageWidth() const;
    int GetImageHeight() const;

    // Appends the bitmap, with pixels of exactly the mask colour left transparent; returns its
    // index, or -1 when the list is not created.
    int Add(const CBitmap* bitmap, COLORREF mask);
    // Replaces image index by the bitmap (no mask).
    bool Replace(int index, const CBitmap* bitmap, const CBitmap* mask);
    // Replaces image index by the icon, fitted into the image size; index -1 appends.
    // Returns the index, or -1 on failure.
    int Replace(int index, HICON icon);

    // For the list control that shows the images: called with the index of a changed image.
    void SetChangeObserver(std::function<void(int)> observer);

private:
    // The backend's images; the list control that shows them reaches them through ImagesOf.
    struct Impl;
    friend const Impl& ImagesOf(const CImageList& list);
    std::unique_ptr<Impl> m_impl;
};

inline constexpr unsigned ILC_COLOR = 0;
