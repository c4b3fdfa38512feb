// The English catalogue measured with the fonts the game ships: every text whose comments
// say where it is drawn must fit the room they give, in English and in Polish alike (a
// room the Polish layout already overflows is a wrong note, not a roomy one), and the
// results list's column headings must keep their words over the columns.

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace {

// One message of a catalogue, with its translator's comments ("# ", kept by msgmerge)
// joined into one line: the po format
// wraps them at any blank, even inside "At Liberation Sans (arial.ttf) 24 px".
struct Message {
    int line = 0;
    std::string polish;
    std::string english;
    std::string notes;
};

// The text of a po string literal: the part between its quotes, escapes resolved.
std::string unquoted(const std::string& literal) {
    const auto first = literal.find('"');
    const auto last = literal.rfind('"');
    std::string text;
    for (auto i = first + 1; i < last; ++i) {
        if (literal[i] != '\\' || i + 1 == last) {
            text += literal[i];
            continue;
        }
        const char escaped = literal[++i];
        text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
    }
    return text;
}

// The catalogue's messages, each ending at a blank line; the header (empty msgid) left out.
std::vector<Message> readCatalogue(const char* path) {
    std::ifstream in(path);
    std::vector<Message> messages;
    Message current;
    std::string* continued = nullptr;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.starts_with("# ")) {
            current.notes += line.substr(2) + ' ';
        } else if (line.starts_with("msgid ")) {
            current.line = number;
            current.polish = unquoted(line);
            continued = &current.polish;
        } else if (line.starts_with("msgstr ")) {
            current.english = unquoted(line);
            continued = &current.english;
        } else if (line.starts_with("\"") && continued != nullptr) {
            *continued += unquoted(line);
        } else if (line.empty()) {
            if (!current.polish.empty()) {
                messages.push_back(current);
            }
            current = {};
            continued = nullptr;
        }
    }
    if (!current.polish.empty()) {
        messages.push_back(current);
    }
    return messages;
}

// Where a comment says a text is drawn: "At Liberation Sans Bold (arialbd.ttf) 16 px:
// room about 150 px", or "...: no fixed room" for a text whose room is set by others.
struct Place {
    std::string font;
    int size = 0;
    int room = 0; // 0: no fixed room
};

std::vector<Place> placesIn(const std::string& notes) {
    static const std::regex kPlace(R"(At Liberation Sans(?: Bold)? \((\w+\.ttf)\) (\d+) px: )"
                                   R"((?:room about (\d+) px|no fixed room))");
    std::vector<Place> places;
    for (std::sregex_iterator it(notes.begin(), notes.end(), kPlace), end; it != end; ++it) {
        const auto& m = *it;
        places.push_back({m[1], std::stoi(m[2]), m[3].matched ? std::stoi(m[3]) : 0});
    }
    return places;
}

// The fonts measured with, loaded once each at the sizes the comments name.
std::map<std::pair<std::string, int>, ALLEGRO_FONT*> Fonts;

// The advance of `text` as the game lays it out, blanks included.
int width(const Place& place, const std::string& text) {
    auto& font = Fonts[{place.font, place.size}];
    if (font == nullptr) {
        const std::string path = std::string(ORBELIUM_FONT_DIR) + "/" + place.font;
        font = al_load_ttf_font(path.c_str(), place.size, 0);
    }
    EXPECT_NE(font, nullptr) << "cannot load " << place.font;
    return font != nullptr ? al_get_text_width(font, text.c_str()) : 0;
}

class TextFit : public testing::Test {
  protected:
    // Allegro measures text without a display: neither a window nor a screen is needed.
    static void SetUpTestSuite() {
        ASSERT_TRUE(al_init() && al_init_font_addon() && al_init_ttf_addon());
        messages_ = readCatalogue(ORBELIUM_PO_FILE);
    }
    static void TearDownTestSuite() {
        for (auto& [key, font] : Fonts) {
            al_destroy_font(font);
        }
        Fonts.clear();
    }

    static inline std::vector<Message> messages_;
};

TEST_F(TextFit, EveryTextDrawnOnScreenFitsItsRoomInEnglishAndPolish) {
    ASSERT_FALSE(messages_.empty()) << "no messages read from " << ORBELIUM_PO_FILE;
    for (const auto& m : messages_) {
        SCOPED_TRACE("en.po:" + std::to_string(m.line) + " \"" + m.polish + "\" -> \"" + m.english +
                     "\"");
        const auto places = placesIn(m.notes);
        // A text with no place is one printed on a terminal; anything else lacks its note
        // or has one this test cannot read, and would slip through unmeasured.
        if (places.empty()) {
            EXPECT_NE(m.notes.find("printed on std"), std::string::npos)
                << "no font, size and room read in: " << m.notes;
        }
        for (const auto& place : places) {
            if (place.room == 0) {
                continue;
            }
            SCOPED_TRACE(place.font + " " + std::to_string(place.size) + " px");
            EXPECT_LE(width(place, m.english), place.room) << "the English does not fit";
            EXPECT_LE(width(place, m.polish), place.room) << "the room is wrong for the Polish";
        }
    }
}

// Where the column headings' second word lies: its left edge when the comment says the
// word starts over its column, its right edge when it ends there; -1 when neither.
int secondWordEdge(const Message& m, const Place& place, const std::string& text) {
    const auto blank = text.find(' ');
    const auto word = text.find_first_not_of(' ', blank);
    if (m.notes.find("second word starts") != std::string::npos) {
        return width(place, text.substr(0, word));
    }
    if (m.notes.find("second word ends") != std::string::npos) {
        return width(place, text.substr(0, text.find_last_not_of(' ') + 1));
    }
    return -1;
}

TEST_F(TextFit, ColumnHeadingsPutTheirEnglishWordsWhereThePolishOnesStand) {
    constexpr int kSlack = 4; // one blank of the headings' font
    int headings = 0;
    for (const auto& m : messages_) {
        const auto places = placesIn(m.notes);
        if (places.empty() || secondWordEdge(m, places[0], m.polish) < 0) {
            continue;
        }
        SCOPED_TRACE("\"" + m.polish + "\" -> \"" + m.english + "\"");
        ++headings;
        EXPECT_NEAR(secondWordEdge(m, places[0], m.english), secondWordEdge(m, places[0], m.polish),
                    kSlack);
    }
    EXPECT_GT(headings, 0) << "no column heading found by its comment";
}

} // namespace
