#include "files/ImageLoad.h"

#include "base/Limits.h"
#include "files/BmpReader.h"
#include "files/ImageErrors.h"
#include "files/PngReader.h"
#include "paint/Canvas.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace splot {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// A whole file mapped read-only: the bitmap decoder reads it in place, so a
// load holds no copy of the file's bytes in its own memory.
class MappedFile {
public:
    explicit MappedFile(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0)
            throw ImageFileError("Cannot open " + path + ": " + std::strerror(errno));
        if (!S_ISREG(st.st_mode))
            throw ImageFileError("Cannot open " + path + ": not a regular file");
        size_ = static_cast<std::size_t>(st.st_size);
        if (size_ == 0)
            return;
        void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
        if (p == MAP_FAILED)
            throw ImageFileError("Cannot read " + path + ": " + std::strerror(errno));
        data_ = static_cast<const std::uint8_t*>(p);
    }
    ~MappedFile() {
        if (data_)
            ::munmap(const_cast<std::uint8_t*>(data_), size_);
        if (fd_ >= 0)
            ::close(fd_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const std::uint8_t* data() const { return data_ ? data_ : &empty_; }
    std::size_t size() const { return size_; }

private:
    int fd_ = -1;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::uint8_t empty_ = 0;
};

} // namespace

ImageFormat imageFormatForExtension(std::string_view extension) {
    if (equalsIgnoringCase(extension, "png"))
        return ImageFormat::Png;
    if (equalsIgnoringCase(extension, "bmp"))
        return ImageFormat::Bmp;
    return ImageFormat::Unknown;
}

std::string imageSizeMessage(int width, int height) {
    std::string message;
    if (width < 0 || width > maxImageWidth)
        message += "Problem with the image width (" + std::to_string(width) + ") (allowed values are 0 - " +
                   std::to_string(maxImageWidth) + ").\r\n";
    if (height < 0 || height > maxImageHeight)
        message += "Problem with the image height (" + std::to_string(height) +
                   ") - (allowed values are 0 - " + std::to_string(maxImageHeight) + ").";
    return message;
}

void checkImageSize(int width, int height) {
    std::string message = imageSizeMessage(width, height);
    if (!message.empty())
        throw ImageSizeRefused(message);
}

DecodedImage loadImage(const std::string& path, std::string_view extension) {
    switch (imageFormatForExtension(extension)) {
    case ImageFormat::Png:
        return decodePngFile(path, checkImageSize);
    case ImageFormat::Bmp: {
        const MappedFile file(path);
        return decodeBmpBytes(file.data(), file.size(), checkImageSize);
    }
    case ImageFormat::Unknown:
        break;
    }
    checkImageSize(-1, -2);
    throw std::logic_error("the size test passed an unknown extension");
}

void copyToCanvas(const DecodedImage& image, Canvas& canvas) {
    if (image.width != canvas.imageWidth() || image.height != canvas.imageHeight())
        throw std::logic_error("copyToCanvas: the canvas has another size than the picture");
    for (int line = 0; line < image.height; ++line)
        std::memcpy(canvas.row(image.height - 1 - line), image.row(line), image.rowBytes());
}

} // namespace splot
