// SPDX-License-Identifier: BSD-2-Clause
/*
 * The picture, read back through its escape sequences: each row's shape,
 * its multi-digit cells, the colours used and where the resets stand.
 */
#include "logo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{

const std::string RESET = "\033[0;0;0m";
const std::string COLOUR = "\033[38;5;";

struct Cell {
	int colour;
	std::string digits;
};

/* A row as read: spaces, then a reset, then cells, then spaces. */
struct Row {
	int leading = 0;
	bool reset_first = false;
	std::vector<Cell> cells;
	int trailing = 0;
	bool well_formed = true;
};

/* Reads spaces, resets and cells; the first gap after cells ends the row. */
Row parse(const std::string &text, std::size_t *position)
{
	Row row;
	std::size_t &at = *position;
	while (at < text.size() && text[at] == ' ')
		row.leading++, at++;
	if (text.compare(at, RESET.size(), RESET) == 0) {
		row.reset_first = true;
		at += RESET.size();
	}
	while (text.compare(at, COLOUR.size(), COLOUR) == 0) {
		at += COLOUR.size();
		Cell cell{0, ""};
		while (at < text.size() && isdigit((unsigned char)text[at]))
			cell.colour = cell.colour * 10 + (text[at++] - '0');
		if (at >= text.size() || text[at++] != 'm')
			row.well_formed = false;
		while (at < text.size() && (text[at] == '0' || text[at] == '1'))
			cell.digits += text[at++];
		if (cell.digits.empty() ||
		    text.compare(at, RESET.size(), RESET) != 0)
			row.well_formed = false;
		at += RESET.size();
		row.cells.push_back(cell);
	}
	while (at < text.size() && text[at] == ' ')
		row.trailing++, at++;
	return row;
}

int digit_count(const Row &row)
{
	int digits = 0;
	for (const Cell &cell : row.cells)
		digits += int(cell.digits.size());
	return digits;
}

std::vector<std::string> long_cells(const Row &row)
{
	std::vector<std::string> cells;
	for (const Cell &cell : row.cells)
		if (cell.digits.size() > 1)
			cells.push_back(cell.digits);
	return cells;
}

TEST(Art, RowsHaveTheirShape)
{
	const struct {
		int leading, cells, digits, trailing, width;
		std::vector<std::string> long_cells;
	} rows[] = {
	    {0, 0, 0, 0, 0, {}}, /* row 0 is checked on its own */
	    {0, 41, 42, 0, 42, {"00"}},
	    {0, 39, 42, 0, 42, {"000", "00"}},
	    {0, 40, 42, 0, 42, {"11", "01"}},
	    {0, 40, 41, 1, 42, {"11"}},
	    {0, 42, 42, 0, 42, {}},
	    {0, 42, 42, 0, 42, {}},
	    {0, 42, 42, 0, 42, {}},
	    {0, 40, 41, 1, 42, {"11"}},
	    {0, 40, 42, 0, 42, {"111"}},
	    {0, 38, 41, 7, 48, {"1001"}},
	    {0, 40, 41, 8, 49, {"00"}},
	    {1, 39, 39, 9, 49, {}},
	    {2, 38, 38, 11, 51, {}},
	    {3, 35, 35, 14, 52, {}},
	    {5, 31, 31, 0, 36, {}},
	    {7, 27, 27, 0, 34, {}},
	    {12, 17, 17, 0, 29, {}},
	};
	for (int number = 1; number < LOGO_ROW_COUNT; number++) {
		const auto &want = rows[number];
		std::string text(LOGO_ROWS[number]);
		std::size_t end = 0;
		Row row = parse(text, &end);
		SCOPED_TRACE("row " + std::to_string(number));
		EXPECT_TRUE(row.well_formed);
		EXPECT_EQ(end, text.size()) << "unexpected bytes";
		EXPECT_EQ(row.reset_first, number > 2);
		EXPECT_EQ(row.leading, want.leading);
		EXPECT_EQ(int(row.cells.size()), want.cells);
		EXPECT_EQ(digit_count(row), want.digits);
		EXPECT_EQ(row.trailing, want.trailing);
		EXPECT_EQ(row.leading + digit_count(row) + row.trailing,
		          want.width);
		EXPECT_EQ(long_cells(row), want.long_cells);
	}
}

TEST(Art, TopRowIsAThinEdgeAndASeparatePiece)
{
	std::string text(LOGO_ROWS[0]);
	std::size_t at = 0;
	Row lead = parse(text, &at);
	Row edge = parse(text, &at);
	Row piece = parse(text, &at);
	EXPECT_EQ(at, text.size());
	EXPECT_EQ(lead.leading, 1);
	EXPECT_TRUE(lead.reset_first);
	EXPECT_TRUE(lead.cells.empty());
	EXPECT_EQ(lead.trailing, 9);
	EXPECT_EQ(edge.leading, 0);
	EXPECT_TRUE(edge.reset_first);
	EXPECT_EQ(edge.cells.size(), 21u);
	EXPECT_EQ(digit_count(edge), 21);
	EXPECT_EQ(edge.trailing, 7);
	EXPECT_TRUE(piece.reset_first);
	ASSERT_EQ(piece.cells.size(), 1u);
	EXPECT_EQ(piece.cells[0].digits, "00");
	EXPECT_EQ(piece.trailing, 7);
	for (const Row *group : {&edge, &piece})
		for (const Cell &cell : group->cells)
			EXPECT_EQ(cell.colour, 16);
}

TEST(Art, BottomRowIsExactlyAsDrawn)
{
	std::size_t at = 0;
	Row row = parse(std::string(LOGO_ROWS[17]), &at);
	const int colours[] = {16, 16, 16, 52, 52, 52, 52, 52, 58,
	                       58, 58, 58, 58, 58, 52, 16, 16};
	const char digits[] = "00000101100000000";
	ASSERT_EQ(row.cells.size(), 17u);
	for (std::size_t i = 0; i < 17; i++) {
		EXPECT_EQ(row.cells[i].colour, colours[i]) << "cell " << i;
		EXPECT_EQ(row.cells[i].digits, std::string(1, digits[i]))
		    << "cell " << i;
	}
}

TEST(Art, UsesEveryPaletteColourAndNoOther)
{
	const std::set<int> palette = {
	    16,  52,  58,  59,  88,  95,  102, 124, 130, 131, 137, 138, 144,
	    145, 160, 166, 167, 172, 173, 174, 180, 181, 187, 188, 196, 202,
	    203, 208, 209, 210, 215, 216, 217, 222, 223, 224, 229, 230, 231};
	std::set<int> used;
	for (int number = 0; number < LOGO_ROW_COUNT; number++) {
		std::string text(LOGO_ROWS[number]);
		for (std::size_t at = 0; at < text.size();) {
			std::size_t before = at;
			for (const Cell &cell : parse(text, &at).cells)
				used.insert(cell.colour);
			if (at == before)
				break;
		}
	}
	EXPECT_EQ(used, palette);
}

TEST(Art, RowsCannotLeakIntoTheText)
{
	for (int number = 0; number < LOGO_ROW_COUNT; number++) {
		std::string text(LOGO_ROWS[number]);
		SCOPED_TRACE("row " + std::to_string(number));
		EXPECT_EQ(text.find_first_of("%\n"), std::string::npos);
		std::size_t last = text.find_last_not_of(' ');
		ASSERT_NE(last, std::string::npos);
		EXPECT_EQ(
		    text.compare(last + 1 - RESET.size(), RESET.size(), RESET),
		    0);
	}
}

} // namespace
