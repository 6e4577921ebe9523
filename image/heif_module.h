// The HEIF module's entry point. The module is a shared library of this program that wraps
// libheif and its codecs; it is opened only when a HEIF-family file is read, so that the
// programs start without loading them.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

inline constexpr const char* kDecodeHeifSymbol = "snapfold_decode_heif";
inline constexpr const char* kDecodeHeifThumbnailSymbol = "snapfold_decode_heif_thumbnail";

enum HeifStatus : int {
    kHeifDecoded = 0,
    // The file is damaged or uses something the codecs cannot decode; error says why.
    kHeifUnreadable = 1,
    // The primary image has more than maxPixels pixels, or more than libheif's own limits
    // allow; width and height give its size where it is known (0 where not), and nothing was
    // decoded.
    kHeifTooLarge = 2,
    // allocate gave no memory for the decoded picture.
    kHeifNoMemory = 3,
    // The primary image carries no thumbnail; nothing was decoded.
    kHeifNoThumbnail = 4,
};

// Gives 3 * width * height bytes for the decoded picture, or null when there are none.
using HeifAllocate = std::uint8_t* (*)(void* context, int width, int height);

// Decodes the primary image of the file in data (tile grids included) with the format's own
// rotation, mirror and crop applied, at 8 bits, alpha composited on white, into memory from
// allocate as red, green, blue bytes, top row first. width and height receive the picture's
// size as shown; error receives libheif's reason, cut to errorSize bytes with its terminator.
using DecodeHeifFunction = int (*)(const std::uint8_t* data, std::size_t size,
                                   std::uint64_t maxPixels, HeifAllocate allocate, void* context,
                                   int* width, int* height, char* error, std::size_t errorSize);

// Decodes the largest thumbnail of the file's primary image as DecodeHeifFunction decodes the
// primary image, the thumbnail's own transformations applied. primaryWidth and primaryHeight
// receive the primary image's size as shown, after its transformations, so that the caller can
// tell whether the thumbnail shows the same picture the same way up.
using DecodeHeifThumbnailFunction = int (*)(const std::uint8_t* data, std::size_t size,
                                            std::uint64_t maxPixels, HeifAllocate allocate,
                                            void* context, int* width, int* height,
                                            int* primaryWidth, int* primaryHeight, char* error,
                                            std::size_t errorSize);
}
