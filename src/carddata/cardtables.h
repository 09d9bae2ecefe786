#pragma once

#include <array>
#include <string_view>

// The tables of the card meaning database. Each holds one text per row in a column named
// like the table; rows are in card order (rowid = card number). The program and the
// database builder both work from this list.
namespace CardTables {

struct Table
{
    std::string_view name; // table and text column, lower case
    std::string_view file; // source file in data/
    int rows;              // rows the program addresses
    int minWords;          // bounds of one entry, counted in words
    int maxWords;
    bool checkSimilarity; // entries must not be near-copies of each other
    bool followsName;     // shown after a person's name: starts in lower case
};

inline constexpr int kCards = 78;
// stichwörter holds two info texts after the cards.
inline constexpr int kInfoRows = 2;
inline constexpr int kArticleMinWords = 300;
inline constexpr int kArticleMaxWords = 600;
// Quintessence tables: q = 1..21 in rows 1..21, q = 0 in row 22.
inline constexpr int kQuintRows = 22;
// The Celtic cross: what each of its ten positions means, in rows 1..10.
inline constexpr int kCelticPositions = 10;
// The decision game: what each of its seven positions means, in rows 1..7.
inline constexpr int kDecisionPositions = 7;

inline constexpr std::array<Table, 17> all{{
    {"stichwörter", "stichwoerter.txt", kCards + kInfoRows, 40, 90, true, false},
    {"karten", "karten.txt", kCards, 1, 6, false, false},
    {"tag1", "tag1.txt", kCards, 60, 120, true, false},
    {"tag2", "tag2.txt", kCards, 60, 120, true, false},
    {"tag3", "tag3.txt", kCards, 60, 120, true, false},
    {"kreuz1", "kreuz1.txt", kCards, 60, 120, true, false},
    {"kreuz2", "kreuz2.txt", kCards, 60, 120, true, false},
    {"kreuz3", "kreuz3.txt", kCards, 60, 120, true, false},
    {"kreuz4", "kreuz4.txt", kCards, 60, 120, true, false},
    {"bezi1", "bezi1.txt", kCards, 60, 120, true, true},
    {"bezi2", "bezi2.txt", kCards, 60, 120, true, false},
    {"bezi3", "bezi3.txt", kQuintRows, 60, 150, true, false},
    {"bezi4", "bezi4.txt", kCards, 60, 120, true, true},
    {"quintent", "quintent.txt", kQuintRows, 60, 150, true, false},
    {"quintzig", "quintzig.txt", kQuintRows, 60, 150, true, false},
    {"kelt", "kelt.txt", kCelticPositions, 40, 80, true, false},
    {"ent", "ent.txt", kDecisionPositions, 50, 70, true, false},
}};

} // namespace CardTables
