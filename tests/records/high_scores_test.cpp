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

    // A full list whose scores fall from `top` in steps of 10.
    static void fillList(int top) {
        for (int i = 1; i <= 20; ++i) {
            setEntry(i, "P" + std::to_string(i), 2, top - 10 * (i - 1));
        }
    }

    std::string decodedFile(const std::string& name) const {
        return records::decodeListText(folder.read(name));
    }

    support::ScratchFolder folder;
};

TEST_F(HighScores, EncodingLowersEveryByteBySeven) {
    EXPECT_EQ(records::encodeListText("abc"), "Z[\\");
    EXPECT_EQ(records::encodeListText(" 0"), "\x19)");
    EXPECT_EQ(records::encodeListText("\x03"), "\xFC");
    EXPECT_EQ(records::decodeListText("\xFC\x19"), "\x03 ");
}

TEST_F(HighScores, AnEmptyListIs168BytesOfEmptyTriples) {
    records::writeList(false);
    const std::string stored = folder.read("lir.txt");
    EXPECT_EQ(stored.size(), 168u);
    EXPECT_EQ(stored, records::encodeListText(emptyTriples(21)));
    EXPECT_EQ(HighScoreList.entry[1].name, "...");
}

TEST_F(HighScores, AFirstEntryIsWrittenBeforeTwentyEmptyTriples) {
    setEntry(1, "Abc", 3, 1250);
    records::writeList(false);
    EXPECT_EQ(decodedFile("lir.txt"), "Abc 3 1250 " + emptyTriples(20));
}

TEST_F(HighScores, ANameOfOneByteIsWrittenAndKeptAsDots) {
    setEntry(1, "A", 2, 70);
    records::writeList(false);
    EXPECT_EQ(decodedFile("lir.txt"), "... 2 70 " + emptyTriples(20));
    EXPECT_EQ(HighScoreList.entry[1].name, "...");
}

TEST_F(HighScores, NegativeNumbersAreWrittenWithTheirSign) {
    setEntry(1, "Ola", -3, -250);
    records::writeList(false);
    EXPECT_EQ(decodedFile("lir.txt"), "Ola -3 -250 " + emptyTriples(20));
}

TEST_F(HighScores, AWrittenListReadsBackEqual) {
    for (int i = 1; i <= 20; ++i) {
        setEntry(i, "Gracz\xC5\xBC" + std::to_string(i), 1 + i % 8, 5000 - 7 * i);
    }
    records::writeList(false);
    const records::HighScoreListRecord written = HighScoreList;
    records::clearListInMemory();
    records::readList();
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(HighScoreList.entry[i].name, written.entry[i].name) << i;
        EXPECT_EQ(HighScoreList.entry[i].level, written.entry[i].level) << i;
        EXPECT_EQ(HighScoreList.entry[i].score, written.entry[i].score) << i;
    }
}

TEST_F(HighScores, WithoutAFileTheListIsEmptyAndNoTemporaryFileStays) {
    setEntry(4, "Stary", 2, 90);
    records::readList();
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(HighScoreList.entry[i].name, "");
        EXPECT_EQ(HighScoreList.entry[i].score, 0);
    }
    EXPECT_FALSE(folder.exists("xh.txt"));
}

TEST_F(HighScores, TheTemporaryCopyIsMadeAnewAndRemoved) {
    folder.write("xh.txt", "Obcy 8 999999 ");
    folder.write("lir.txt", records::encodeListText("Ewa 2 300 "));
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].name, "Ewa");
    EXPECT_EQ(HighScoreList.entry[2].name, "");
    EXPECT_FALSE(folder.exists("xh.txt"));
}

TEST_F(HighScores, AFileCutAfterSevenTriplesGivesSevenEntries) {
    std::string plain;
    for (int i = 1; i <= 7; ++i) {
        plain += "N" + std::to_string(i) + " 1 " + std::to_string(100 - i) + " ";
    }
    folder.write("lir.txt", records::encodeListText(plain + "Ucięty 4"));
    records::readList();
    EXPECT_EQ(HighScoreList.entry[7].score, 93);
    // The eighth triple stops after its level: the score keeps its empty value.
    EXPECT_EQ(HighScoreList.entry[8].name, "Ucięty");
    EXPECT_EQ(HighScoreList.entry[8].level, 4);
    EXPECT_EQ(HighScoreList.entry[8].score, 0);
    EXPECT_EQ(HighScoreList.entry[9].name, "");
}

TEST_F(HighScores, OnlyTheFirstTwentyOfTwentyFiveTriplesAreRead) {
    std::string plain;
    for (int i = 1; i <= 25; ++i) {
        plain += "N" + std::to_string(i) + " 1 " + std::to_string(i) + " ";
    }
    folder.write("lir.txt", records::encodeListText(plain));
    records::readList();
    EXPECT_EQ(HighScoreList.entry[20].name, "N20");
    EXPECT_EQ(HighScoreList.entry[21].name, "");
    EXPECT_EQ(HighScoreList.entry[21].score, 0);
}

TEST_F(HighScores, ABadFieldEndsTheReading) {
    folder.write("lir.txt", records::encodeListText("A1 1 10 A2 x 20 A3 3 30 "));
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].score, 10);
    EXPECT_EQ(HighScoreList.entry[2].name, "A2");
    EXPECT_EQ(HighScoreList.entry[2].level, 0);
    EXPECT_EQ(HighScoreList.entry[3].name, "");
}

TEST_F(HighScores, ANumberBeyondThirtyTwoBitsIsABadField) {
    folder.write("lir.txt", records::encodeListText("A1 1 2147483647 A2 1 2147483648 A3 1 5 "));
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].score, INT_MAX);
    EXPECT_EQ(HighScoreList.entry[2].score, 0);
    EXPECT_EQ(HighScoreList.entry[3].name, "");
}

TEST_F(HighScores, OddButValidNumbersStayAsRead) {
    folder.write("lir.txt", records::encodeListText("Zbyt 99 -2147483648 "));
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].level, 99);
    EXPECT_EQ(HighScoreList.entry[1].score, INT_MIN);
}

TEST_F(HighScores, OnlyTheFirstLineOfTheFileIsRead) {
    // An encoded line end would be the plain byte 17; the file ends its text there.
    folder.write("lir.txt", records::encodeListText("Ala 1 50 ") + "\n" +
                                records::encodeListText("Ola 1 40 "));
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].name, "Ala");
    EXPECT_EQ(HighScoreList.entry[2].name, "");
}

TEST_F(HighScores, OverlongNamesAreCutWithoutSplittingAPolishLetter) {
    const std::string sixteen = "abcdefghijklmnop";
    folder.write("lir.txt", records::encodeListText(sixteen + "\xC5\xBCxyz 1 10 " +
                                                    std::string(5000, 'q') + " 2 20 "));
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].name, sixteen);
    EXPECT_EQ(HighScoreList.entry[1].score, 10);
    EXPECT_EQ(HighScoreList.entry[2].name, std::string(17, 'q'));
    EXPECT_EQ(HighScoreList.entry[2].score, 20);
}

TEST_F(HighScores, AHugeFileWithoutLineEndsDoesNotHurt) {
    folder.write("lir.txt", std::string(3 * 1024 * 1024, '\x3A')); // decodes to "A"s
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].name, std::string(17, 'A'));
    EXPECT_EQ(HighScoreList.entry[1].level, 0);
}

TEST_F(HighScores, TheTimedGameHasItsOwnFile) {
    folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
    folder.write("lic.txt", records::encodeListText("Czas 2 20 "));
    GameState.mode = board::GameMode::Timed;
    records::readList();
    EXPECT_EQ(HighScoreList.entry[1].name, "Czas");
    records::writeList(false);
    EXPECT_EQ(decodedFile("lic.txt"), "Czas 2 20 " + emptyTriples(20));
    EXPECT_EQ(decodedFile("lir.txt"), "Relaks 1 10 ");
}

TEST_F(HighScores, AModeOtherThanTheTwoReadsNothingAndWritesNothing) {
    folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
    folder.write("lic.txt", records::encodeListText("Czas 2 20 "));
    for (int mode : {2, -1, INT_MAX}) {
        GameState.mode = mode;
        setEntry(1, "Nowy", 1, 5);
        records::readList();
        EXPECT_EQ(HighScoreList.entry[1].name, "");
        records::writeList(false);
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& f : std::filesystem::directory_iterator(folder.path())) {
        ++files;
    }
    EXPECT_EQ(files, 2u);
}

TEST_F(HighScores, AListThatCannotBeReplacedKeepsItsOldFile) {
    std::filesystem::create_directory(folder.path() / "lir.txt");
    folder.write("lir.txt/keep", "x");
    setEntry(1, "Abc", 1, 10);
    records::writeList(false);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "lir.txt"));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& f : std::filesystem::directory_iterator(folder.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1u) << "a temporary file was left behind";
}

TEST_F(HighScores, AnEqualResultRanksBelowTheEarlierOne) {
    fillList(1000); // entry 5 has 960, entry 6 has 950
    records::insertResult("Nowy", 3, 960);
    EXPECT_EQ(records::newEntryIndex, 6);
    EXPECT_EQ(HighScoreList.entry[5].name, "P5");
    EXPECT_EQ(HighScoreList.entry[6].name, "Nowy");
    EXPECT_EQ(HighScoreList.entry[6].level, 3);
    EXPECT_EQ(HighScoreList.entry[7].name, "P6");
    EXPECT_EQ(HighScoreList.entry[20].name, "P19");
}

TEST_F(HighScores, AResultBeatenByTwentyEntriesChangesNothing) {
    fillList(1000); // entry 20 has 810
    const records::HighScoreListRecord before = HighScoreList;
    records::insertResult("Słaby", 1, 810);
    EXPECT_EQ(records::newEntryIndex, 0);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(HighScoreList.entry[i].name, before.entry[i].name);
    }
}

TEST_F(HighScores, InsertingFirstMovesEveryEntryDownAndDropsTheLast) {
    fillList(1000);
    records::insertResult("Mistrz", 8, 5000);
    EXPECT_EQ(records::newEntryIndex, 1);
    EXPECT_EQ(HighScoreList.entry[1].name, "Mistrz");
    for (int i = 2; i <= 20; ++i) {
        EXPECT_EQ(HighScoreList.entry[i].name, "P" + std::to_string(i - 1));
    }
    EXPECT_EQ(HighScoreList.entry[21].name, "");
}

TEST_F(HighScores, AResultJustAboveTheLastTakesPlaceTwenty) {
    fillList(1000);
    records::insertResult("Ostatni", 1, 811);
    EXPECT_EQ(records::newEntryIndex, 20);
    EXPECT_EQ(HighScoreList.entry[19].name, "P19");
    EXPECT_EQ(HighScoreList.entry[20].name, "Ostatni");
}

TEST_F(HighScores, AResultTakesTheFirstEmptyPlace) {
    setEntry(1, "A", 1, 100);
    setEntry(2, "B", 1, 50);
    records::insertResult("C", 1, 10);
    EXPECT_EQ(records::newEntryIndex, 3);
    EXPECT_EQ(HighScoreList.entry[3].score, 10);
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
}

TEST_F(HighScores, LastPlaceScoreIsEntryTwenty) {
    fillList(1000);
    EXPECT_EQ(records::lastPlaceScore(), 810);
}

TEST_F(HighScores, StoringAfterANameEntryDiscardsTheResumedGame) {
    saves::SaveIndex.count = 3;
    saves::currentSaveName = "abc";
    folder.write("abc", "1 2 3");
    records::writeList(true);
    EXPECT_FALSE(folder.exists("abc"));
    EXPECT_EQ(saves::currentSaveName, "abc");
    EXPECT_EQ(saves::SaveIndex.count, 2);
    EXPECT_EQ(folder.read("zg.txt"), "2");
    EXPECT_TRUE(folder.exists("lir.txt"));
}

TEST_F(HighScores, StoringAfterANewGameKeepsTheCountButWritesIt) {
    saves::SaveIndex.count = 3;
    records::writeList(true);
    EXPECT_EQ(saves::SaveIndex.count, 3);
    EXPECT_EQ(folder.read("zg.txt"), "3");
}

TEST_F(HighScores, ANameNoPasswordCanHaveIsNeverDeleted) {
    saves::SaveIndex.count = 3;
    for (const char* name : {"opc.txt", "../x", "a b"}) {
        saves::currentSaveName = name;
        records::writeList(true);
    }
    folder.write("opc.txt", "0.5\n0.5\n0\n");
    saves::currentSaveName = "opc.txt";
    records::writeList(true);
    EXPECT_TRUE(folder.exists("opc.txt"));
    EXPECT_EQ(saves::SaveIndex.count, 3);
}

} // namespace
