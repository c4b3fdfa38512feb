// The words painted into the pictures, and the language they are painted in.
//
// Each word is written in Polish where it is painted and marked N_() there, so that xgettext
// takes it into the game's catalogue. The Polish pictures carry the words as written; the
// pictures of another language look each word up in that language's compiled catalogue,
// through the C library's gettext just as the game looks up the texts it draws.
#pragma once

#include <cairo.h>

#include <string>

// Marks a painted word for extraction; the code keeps the Polish word itself.
#define N_(text) text

namespace assetgen {

// Where a language's compiled catalogue lies: <folder>/<code>/LC_MESSAGES/orbelium.mo.
std::string cataloguePath(const std::string& folder, const std::string& code);
// Throws, naming the file, when that catalogue is not there.
void requireCatalogue(const std::string& folder, const std::string& code);

// While one lives, the words are painted in language `code`, from its catalogue under
// `folder`; afterwards in Polish again. Throws when that catalogue is not there.
class PaintedLanguage {
  public:
    PaintedLanguage(const std::string& folder, const std::string& code);
    ~PaintedLanguage();
    PaintedLanguage(const PaintedLanguage&) = delete;
    PaintedLanguage& operator=(const PaintedLanguage&) = delete;
};

// `polish` in the language painted. Throws when the catalogue has no translation of it, so
// that no Polish word slips into another language's pictures.
std::string paintedWord(const char* polish);
// The same in the context's current font. Throws when it is wider than `room`, so that a
// long translation fails the build instead of spilling out of its piece.
std::string paintedWord(cairo_t* cr, const char* polish, double room);

} // namespace assetgen
