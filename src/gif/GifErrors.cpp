#include "gif/GifDecl.h"

namespace lindor::gif {

ETooManyColors::ETooManyColors()
    : EGifException("The picture has more than 256 colours; a GIF picture can hold at most 256") {}

EGifFileError::EGifFileError(const std::string& fileName, const std::string& reason)
    : EGifException("Cannot write the file \"" + fileName + "\": " + reason), m_fileName(fileName),
      m_reason(reason) {}

} // namespace lindor::gif
