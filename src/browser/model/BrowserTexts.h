#pragma once
// The texts of the browser's status line.
#include <cstdint>
#include <string>

namespace lumarte::browser {

inline constexpr const char* kNoImageInDirectory = "No image in directory.";
inline constexpr const char* kNoImageFound = "No image found.";
inline constexpr const char* kAllImagesVisible = "All images are visible.";
inline constexpr const char* kFolderListHint =
    "You can open images or directories with a doubleclick.";
inline constexpr const char* kChangingDir = "Changing dir.";
inline constexpr const char* kRequestingDocument = "Requesting Document";
inline constexpr const char* kReceivingData = "Recieving Data";
inline constexpr const char* kRequestDone = "Requesting Document DONE.";
inline constexpr const char* kUrlNotOpened = "URL could not be opened.";

// "name (999 B)" up to 1000 bytes, "name (1 kB)" from 1001 bytes on.
std::string FileStatusText(const std::string& name, int64_t size);
// "No. of images: 12"
std::string ImageCountText(int count);
// "No. of JPEG images: 12"
std::string WebImageCountText(int count);

}  // namespace lumarte::browser
