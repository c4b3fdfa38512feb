#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "saves/save_index.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

namespace {

using board::GameState;
using records::HighScoreList;

std::string emptyTriples(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += "... 0 0 ";
    }
    return text;
}

// The list as "name level score" per entry 1..20, empty entries left out.
std::string listed() {
    std::string out;
    for (int i = 1; i <= 20; ++i) {
        const auto& e = HighScoreList.entry[i];
        if (!e.name.empty() || e.level != 0 || e.score != 0) {
            out += std::to_string(i) + ":" + e.name + " " + std::to_string(e.level) + " " +
                   std::to_string(e.score) + "; ";
        }
    }
    return out;
}

class HighScores : public ::testing::Test {
  protected:
    void SetUp() override {
        support::resetWorld();
        records::HighScoreList = records::HighScoreListRecord{};
        records::newEntryIndex = 0;
    }

    static void setEntry(int i, const std::string& name, int level, int score) {
        HighScoreList.entry[i] = records::HighScoreEntry{name, level, score};
    }

    // A full list whose scores fall from 1000 in steps of 10: P1 1000 ... P20 810.
    static void fillList() {
        HighScoreList = records::HighScoreListRecord{};
        for (int i = 1; i <= 20; ++i) {
            setEntry(i, "P" + std::to_string(i), 2, 1000 - 10 * (i - 1));
        }
    }

    int files() const {
        int n = 0;
        for ([[maybe_unused]] const auto& f : std::filesystem::directory_iterator(folder.path())) {
            ++n;
        }
        return n;
    }

    support::ScratchFolder folder;
};

TEST_F(HighScores, EncodingLowersEveryByteBySeven) {
    EXPECT_EQ(records::encodeListText("abc"), "Z[\\");
    EXPECT_EQ(records::encodeListText(" 0"), "\x19)");
    EXPECT_EQ(records::encodeListText("\x03"), "\xFC");
    EXPECT_EQ(records::decodeListText("\xFC\x19"), "\x03 ");
}

TEST_F(HighScores, TheWrittenFileHoldsTwentyOneTriplesByteForByte) {
    struct Case {
        const char* what;
        records::HighScoreEntry first;
        std::string written;
    };
    const Case cases[] = {
        {"an empty list", {}, emptyTriples(21)},
        {"a first entry", {"Abc", 3, 1250}, "Abc 3 1250 " + emptyTriples(20)},
        {"a name of one byte, written as dots", {"A", 2, 70}, "... 2 70 " + emptyTriples(20)},
        {"negative numbers with their sign", {"Ola", -3, -250}, "Ola -3 -250 " + emptyTriples(20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HighScoreList.entry[1] = c.first;
        records::writeList(false);
        EXPECT_EQ(folder.read("lir.txt"), records::encodeListText(c.written));
        EXPECT_EQ(files(), 1) << "a temporary file was left behind";
    }
    EXPECT_EQ(records::encodeListText(emptyTriples(21)).size(), 168u);
}

TEST_F(HighScores, AWrittenListReadsBackEqual) {
    for (int i = 1; i <= 20; ++i) {
        setEntry(i, "Gracz\xC5\xBC" + std::to_string(i), 1 + i % 8, 5000 - 7 * i);
    }
    records::writeList(false);
    const std::string written = listed();
    records::clearListInMemory();
    records::readList();
    EXPECT_EQ(listed(), written);
}

TEST_F(HighScores, ReadingTakesWhatTheFileHoldsAndNoMore) {
    std::string cut, twentyFive;
    for (int i = 1; i <= 7; ++i) {
        cut += "N" + std::to_string(i) + " 1 9" + std::to_string(i) + " ";
    }
    for (int i = 1; i <= 25; ++i) {
        twentyFive += "N" + std::to_string(i) + " 1 " + std::to_string(i) + " ";
    }
    std::string twenty;
    for (int i = 1; i <= 20; ++i) {
        twenty += std::to_string(i) + ":N" + std::to_string(i) + " 1 " + std::to_string(i) + "; ";
    }
    const std::string sixteen = "abcdefghijklmnop";
    struct Case {
        const char* what;
        std::string file; // encoded as the game writes it, unless `raw`
        std::string list;
        bool raw = false;
    };
    const Case cases[] = {
        {"no file", "", "", true},
        {"cut in the eighth triple: its score keeps the empty value", cut + "Ucięty 4",
         "1:N1 1 91; 2:N2 1 92; 3:N3 1 93; 4:N4 1 94; 5:N5 1 95; 6:N6 1 96; 7:N7 1 97; "
         "8:Ucięty 4 0; "},
        {"only the first twenty of twenty-five triples", twentyFive, twenty},
        {"a bad field ends the reading", "A1 1 10 A2 x 20 A3 3 30 ", "1:A1 1 10; 2:A2 0 0; "},
        {"a number beyond 32 bits is a bad field", "A1 1 2147483647 A2 1 2147483648 A3 1 5 ",
         "1:A1 1 2147483647; 2:A2 1 0; "},
        {"odd but valid numbers stay as read", "Zbyt 99 -2147483648 ", "1:Zbyt 99 -2147483648; "},
        {"only the first line",
         records::encodeListText("Ala 1 50 ") + "\n" + records::encodeListText("Ola 1 40 "),
         "1:Ala 1 50; ", true},
        {"overlong names cut without splitting a Polish letter",
         sixteen + "\xC5\xBCxyz 1 10 " + std::string(5000, 'q') + " 2 20 ",
         "1:" + sixteen + " 1 10; 2:" + std::string(17, 'q') + " 2 20; "},
        {"a huge file without line ends", std::string(3 * 1024 * 1024, '\x3A'),
         "1:" + std::string(17, 'A') + " 0 0; ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(folder.path() / "lir.txt");
        if (!c.file.empty()) {
            folder.write("lir.txt", c.raw ? c.file : records::encodeListText(c.file));
        }
        folder.write("xh.txt", "Obcy 8 999999 "); // a stale temporary copy is made anew
        setEntry(4, "Stary", 2, 90);
        records::readList();
        EXPECT_EQ(listed(), c.list);
        EXPECT_FALSE(folder.exists("xh.txt")) << "the temporary copy stayed";
    }
}

TEST_F(HighScores, EachModeHasItsOwnFileAndAnyOtherModeNone) {
    folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
    folder.write("lic.txt", records::encodeListText("Czas 2 20 "));
    GameState.mode = board::GameMode::Timed;
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].name, "Czas");
    records::writeList(false);
    EXPECT_EQ(records::decodeListText(folder.read("lic.txt")), "Czas 2 20 " + emptyTriples(20));
    EXPECT_EQ(records::decodeListText(folder.read("lir.txt")), "Relaks 1 10 ");
    for (int mode : {2, -1, INT_MAX}) {
        GameState.mode = mode;
        setEntry(1, "Nowy", 1, 5);
        records::readList();
        EXPECT_EQ(HighScoreList.entry[1].name, "");
        records::writeList(false);
    }
    EXPECT_EQ(files(), 2);
}

TEST_F(HighScores, AListThatCannotBeReplacedKeepsItsOldFile) {
    std::filesystem::create_directory(folder.path() / "lir.txt");
    folder.write("lir.txt/keep", "x");
    setEntry(1, "Abc", 1, 10);
    records::writeList(false);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "lir.txt"));
    EXPECT_EQ(files(), 1) << "a temporary file was left behind";
}

TEST_F(HighScores, AResultIsInsertedBelowEqualScores) {
    struct Case {
        const char* what;
        int score;
        int place; // 0: not in the list
    };
    const Case cases[] = {
        {"an equal score ranks below the earlier one", 960, 6},
        {"above everyone", 5000, 1},
        {"just above the last", 811, 20},
        {"beaten by all twenty", 810, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fillList();
        records::newEntryIndex = 0;
        records::insertResult("Nowy", 3, c.score);
        EXPECT_EQ(records::newEntryIndex, c.place);
        for (int i = 1; i <= 20; ++i) {
            const int old = c.place == 0 || i < c.place ? i : i - 1;
            const std::string name = i == c.place ? "Nowy" : "P" + std::to_string(old);
            EXPECT_EQ(HighScoreList.entry[i].name, name) << "place " << i;
        }
        EXPECT_EQ(HighScoreList.entry[21].name, "");
    }
    records::clearListInMemory();
    setEntry(1, "A", 1, 100);
    setEntry(2, "B", 1, 50);
    records::insertResult("C", 1, 10);
    EXPECT_EQ(records::newEntryIndex, 3) << "the first empty place";
}

TEST_F(HighScores, AGameStartShowsTheRecordOfTheModePlayed) {
    folder.write("lir.txt", records::encodeListText("Relaks 1 700 "));
    folder.write("lic.txt", records::encodeListText("Czas 2 900 Drugi 1 40 "));
    GameState.mode = board::GameMode::Timed;
    records::loadRecordForMode();
    EXPECT_EQ(GameState.record, 900);
    EXPECT_EQ(records::lastPlaceScore(), 0);
    GameState.mode = board::GameMode::Relaxed;
    records::loadRecordForMode();
    EXPECT_EQ(GameState.record, 700);
    fillList();
    EXPECT_EQ(records::lastPlaceScore(), 810);
}

TEST_F(HighScores, StoringAfterANameEntryDiscardsOnlyAResumedGame) {
    saves::SaveIndex.count = 3;
    records::writeList(true); // a new game: the count is kept but written
    EXPECT_EQ(folder.read("zg.txt"), "3");

    saves::currentSaveName = "abc";
    folder.write("abc", "1 2 3");
    records::writeList(true);
    EXPECT_FALSE(folder.exists("abc"));
    EXPECT_EQ(saves::SaveIndex.count, 2);
    EXPECT_EQ(folder.read("zg.txt"), "2");
    EXPECT_TRUE(folder.exists("lir.txt"));
}

TEST_F(HighScores, ANameNoPasswordCanHaveIsNeverDeleted) {
    saves::SaveIndex.count = 3;
    folder.write("opc.txt", "0.5\n0.5\n0\n");
    for (const char* name : {"opc.txt", "../x", "a b"}) {
        saves::currentSaveName = name;
        records::writeList(true);
    }
    EXPECT_TRUE(folder.exists("opc.txt"));
    EXPECT_EQ(saves::SaveIndex.count, 3);
}

} // namespace
