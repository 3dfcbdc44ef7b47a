// SPDX-License-Identifier: BSD-2-Clause
/*
 * The picture beside the report: 18 rows of the digits 0 and 1, each digit
 * drawn in a colour of the 256-colour palette.  Every cell is a colour
 * sequence, its digits and a reset, so no colour reaches the text that
 * follows a row.  Rows 1 to 9 are 42 columns wide; the facts start in
 * column 43.
 */
#ifndef SYSFACTS_ART_LOGO_H
#define SYSFACTS_ART_LOGO_H

#include <string_view>

#define RESET "\033[0;0;0m"
#define CELL(colour, digits) "\033[38;5;" #colour "m" digits RESET

inline constexpr int LOGO_ROW_COUNT = 18;

// clang-format off
inline constexpr std::string_view LOGO_ROWS[LOGO_ROW_COUNT] = {
	/* Row 0. */
	" " RESET "         " RESET CELL(16, "1") CELL(16, "1") CELL(16, "1")
	CELL(16, "0") CELL(16, "0") CELL(16, "1") CELL(16, "0") CELL(16, "0")
	CELL(16, "1") CELL(16, "1") CELL(16, "0") CELL(16, "0") CELL(16, "0")
	CELL(16, "1") CELL(16, "1") CELL(16, "0") CELL(16, "0") CELL(16, "0")
	CELL(16, "0") CELL(16, "0") CELL(16, "0") "       " RESET CELL(16, "00")
	"       ",
	/* Row 1. */
	CELL(16, "1") CELL(59, "0") CELL(102, "0") CELL(188, "0") CELL(95, "0")
	CELL(145, "1") CELL(144, "1") CELL(102, "0") CELL(102, "0")
	CELL(137, "1") CELL(145, "0") CELL(59, "0") CELL(138, "0")
	CELL(188, "1") CELL(188, "0") CELL(95, "0") CELL(145, "0")
	CELL(144, "0") CELL(102, "1") CELL(102, "1") CELL(137, "1")
	CELL(145, "1") CELL(59, "1") CELL(138, "1") CELL(188, "1")
	CELL(188, "0") CELL(95, "0") CELL(145, "0") CELL(144, "0")
	CELL(102, "1") CELL(137, "00") CELL(145, "1") CELL(59, "1")
	CELL(138, "1") CELL(188, "1") CELL(188, "0") CELL(95, "0")
	CELL(145, "1") CELL(102, "0") CELL(59, "1") CELL(16, "0"),
	/* Row 2. */
	CELL(59, "1") CELL(145, "1") CELL(224, "0") CELL(224, "0")
	CELL(223, "1") CELL(224, "1") CELL(230, "1") CELL(231, "1")
	CELL(231, "000") CELL(231, "1") CELL(231, "0") CELL(231, "0")
	CELL(231, "1") CELL(231, "1") CELL(231, "0") CELL(231, "0")
	CELL(230, "1") CELL(230, "1") CELL(230, "1") CELL(224, "1")
	CELL(224, "1") CELL(224, "0") CELL(223, "1") CELL(223, "1")
	CELL(217, "0") CELL(217, "0") CELL(216, "1") CELL(181, "00")
	CELL(229, "0") CELL(222, "0") CELL(187, "1") CELL(180, "0")
	CELL(174, "0") CELL(215, "1") CELL(144, "1") CELL(144, "1")
	CELL(144, "0") CELL(145, "0") CELL(59, "1"),
	/* Row 3. */
	RESET CELL(59, "1") CELL(188, "1") CELL(223, "0") CELL(223, "1")
	CELL(230, "1") CELL(231, "1") CELL(231, "1") CELL(231, "1")
	CELL(231, "0") CELL(231, "0") CELL(231, "0") CELL(231, "0")
	CELL(231, "11") CELL(231, "0") CELL(231, "0") CELL(231, "0")
	CELL(230, "0") CELL(230, "1") CELL(230, "0") CELL(230, "1")
	CELL(224, "1") CELL(224, "0") CELL(223, "0") CELL(223, "1")
	CELL(223, "1") CELL(217, "1") CELL(217, "0") CELL(216, "0")
	CELL(181, "1") CELL(181, "1") CELL(229, "1") CELL(222, "1")
	CELL(222, "1") CELL(180, "01") CELL(174, "0") CELL(210, "1")
	CELL(144, "1") CELL(144, "0") CELL(188, "0") CELL(59, "0"),
	/* Row 4. */
	RESET CELL(59, "0") CELL(145, "1") CELL(224, "0") CELL(230, "0")
	CELL(231, "1") CELL(231, "0") CELL(231, "0") CELL(231, "0")
	CELL(231, "0") CELL(231, "0") CELL(231, "1") CELL(231, "0")
	CELL(231, "0") CELL(231, "0") CELL(231, "1") CELL(231, "0")
	CELL(230, "1") CELL(230, "1") CELL(230, "1") CELL(224, "1")
	CELL(224, "11") CELL(223, "0") CELL(223, "0") CELL(223, "1")
	CELL(217, "1") CELL(217, "1") CELL(216, "1") CELL(216, "1")
	CELL(181, "0") CELL(181, "0") CELL(229, "0") CELL(222, "1")
	CELL(222, "1") CELL(187, "1") CELL(180, "0") CELL(174, "0")
	CELL(210, "0") CELL(215, "1") CELL(145, "0") CELL(59, "0") " ",
	/* Row 5. */
	RESET CELL(59, "1") CELL(102, "0") CELL(230, "1") CELL(230, "1")
	CELL(230, "0") CELL(231, "1") CELL(231, "0") CELL(231, "1")
	CELL(231, "0") CELL(231, "0") CELL(231, "0") CELL(231, "1")
	CELL(231, "0") CELL(230, "0") CELL(230, "1") CELL(230, "1")
	CELL(230, "0") CELL(230, "0") CELL(224, "1") CELL(224, "1")
	CELL(224, "1") CELL(223, "0") CELL(223, "1") CELL(223, "1")
	CELL(217, "1") CELL(217, "1") CELL(216, "0") CELL(216, "0")
	CELL(181, "0") CELL(181, "0") CELL(229, "1") CELL(229, "0")
	CELL(222, "1") CELL(187, "0") CELL(187, "1") CELL(180, "0")
	CELL(174, "1") CELL(210, "1") CELL(215, "0") CELL(144, "0")
	CELL(102, "1") CELL(59, "0"),
	/* Row 6. */
	RESET CELL(59, "1") CELL(59, "0") CELL(224, "1") CELL(230, "1")
	CELL(230, "0") CELL(230, "1") CELL(230, "1") CELL(230, "1")
	CELL(230, "0") CELL(230, "0") CELL(230, "0") CELL(230, "0")
	CELL(230, "0") CELL(230, "0") CELL(230, "1") CELL(224, "0")
	CELL(224, "1") CELL(224, "1") CELL(224, "0") CELL(223, "0")
	CELL(223, "0") CELL(223, "0") CELL(217, "0") CELL(217, "0")
	CELL(217, "1") CELL(216, "0") CELL(216, "0") CELL(181, "0")
	CELL(181, "1") CELL(229, "0") CELL(229, "1") CELL(222, "0")
	CELL(187, "1") CELL(187, "1") CELL(180, "1") CELL(174, "0")
	CELL(210, "0") CELL(210, "1") CELL(215, "1") CELL(144, "1")
	CELL(59, "0") CELL(59, "0"),
	/* Row 7. */
	RESET CELL(59, "0") CELL(102, "1") CELL(224, "0") CELL(224, "0")
	CELL(224, "0") CELL(217, "0") CELL(230, "0") CELL(230, "1")
	CELL(230, "0") CELL(230, "0") CELL(217, "1") CELL(224, "1")
	CELL(224, "0") CELL(224, "0") CELL(224, "0") CELL(216, "0")
	CELL(224, "1") CELL(223, "0") CELL(223, "0") CELL(223, "1")
	CELL(229, "0") CELL(217, "0") CELL(217, "1") CELL(216, "1")
	CELL(216, "0") CELL(187, "1") CELL(181, "1") CELL(229, "1")
	CELL(229, "0") CELL(222, "1") CELL(174, "0") CELL(187, "1")
	CELL(187, "0") CELL(180, "1") CELL(174, "0") CELL(144, "1")
	CELL(210, "1") CELL(215, "1") CELL(144, "0") CELL(144, "0")
	CELL(102, "1") CELL(59, "0"),
	/* Row 8. */
	RESET CELL(95, "0") CELL(131, "1") CELL(203, "0") CELL(208, "0")
	CELL(209, "1") CELL(202, "0") CELL(203, "1") CELL(208, "0")
	CELL(209, "1") CELL(202, "0") CELL(203, "0") CELL(208, "1")
	CELL(209, "1") CELL(202, "0") CELL(203, "0") CELL(209, "11")
	CELL(202, "0") CELL(203, "1") CELL(208, "1") CELL(209, "1")
	CELL(202, "1") CELL(203, "0") CELL(208, "1") CELL(209, "1")
	CELL(173, "0") CELL(166, "1") CELL(173, "0") CELL(166, "1")
	CELL(173, "1") CELL(166, "1") CELL(160, "0") CELL(196, "1")
	CELL(202, "1") CELL(124, "1") CELL(124, "0") CELL(88, "0") CELL(88, "0")
	CELL(88, "0") CELL(131, "0") CELL(95, "1") " ",
	/* Row 9. */
	RESET CELL(95, "1") CELL(130, "0") CELL(202, "0") CELL(203, "1")
	CELL(208, "0") CELL(209, "1") CELL(202, "1") CELL(203, "1")
	CELL(208, "0") CELL(209, "1") CELL(202, "1") CELL(203, "0")
	CELL(208, "1") CELL(209, "0") CELL(202, "0") CELL(203, "1")
	CELL(208, "0") CELL(209, "1") CELL(202, "0") CELL(203, "0")
	CELL(208, "1") CELL(209, "0") CELL(202, "0") CELL(202, "0")
	CELL(202, "111") CELL(202, "1") CELL(167, "0") CELL(196, "1")
	CELL(202, "0") CELL(203, "1") CELL(160, "1") CELL(160, "1")
	CELL(160, "0") CELL(124, "0") CELL(124, "0") CELL(124, "0")
	CELL(124, "0") CELL(124, "1") CELL(130, "0") CELL(95, "0"),
	/* Row 10. */
	RESET CELL(95, "0") CELL(137, "1") CELL(209, "1") CELL(202, "0")
	CELL(203, "1") CELL(208, "1") CELL(209, "0") CELL(202, "1")
	CELL(203, "1") CELL(208, "0") CELL(209, "1") CELL(202, "0")
	CELL(203, "0") CELL(208, "0") CELL(209, "0") CELL(202, "1")
	CELL(203, "0") CELL(208, "1") CELL(172, "1001") CELL(172, "0")
	CELL(196, "1") CELL(172, "1") CELL(196, "1") CELL(172, "1")
	CELL(202, "0") CELL(203, "0") CELL(160, "1") CELL(196, "0")
	CELL(167, "0") CELL(167, "1") CELL(167, "1") CELL(52, "0") CELL(52, "0")
	CELL(52, "0") CELL(52, "0") CELL(52, "1") CELL(137, "1") CELL(95, "0")
	"       ",
	/* Row 11. */
	RESET CELL(95, "0") CELL(138, "0") CELL(173, "1") CELL(209, "1")
	CELL(202, "0") CELL(203, "1") CELL(208, "0") CELL(209, "1")
	CELL(202, "0") CELL(208, "00") CELL(209, "0") CELL(202, "1")
	CELL(203, "1") CELL(208, "0") CELL(166, "1") CELL(173, "1")
	CELL(166, "1") CELL(173, "1") CELL(166, "0") CELL(173, "0")
	CELL(166, "1") CELL(173, "0") CELL(166, "1") CELL(173, "0")
	CELL(203, "0") CELL(160, "1") CELL(196, "1") CELL(202, "0")
	CELL(124, "1") CELL(124, "1") CELL(124, "0") CELL(88, "0") CELL(88, "0")
	CELL(88, "0") CELL(88, "1") CELL(88, "0") CELL(88, "0") CELL(88, "1")
	CELL(138, "0") CELL(95, "1") "        ",
	/* Row 12. */
	" " RESET CELL(16, "0") CELL(95, "1") CELL(167, "1") CELL(202, "0")
	CELL(167, "0") CELL(202, "0") CELL(167, "1") CELL(202, "1")
	CELL(167, "1") CELL(202, "0") CELL(167, "1") CELL(202, "0")
	CELL(167, "0") CELL(202, "1") CELL(167, "0") CELL(202, "0")
	CELL(167, "0") CELL(202, "0") CELL(167, "0") CELL(202, "0")
	CELL(202, "0") CELL(203, "1") CELL(160, "0") CELL(196, "1")
	CELL(202, "1") CELL(203, "0") CELL(160, "0") CELL(160, "0")
	CELL(160, "1") CELL(124, "1") CELL(124, "0") CELL(124, "1")
	CELL(124, "0") CELL(124, "0") CELL(124, "0") CELL(124, "1")
	CELL(124, "1") CELL(95, "0") CELL(16, "1") "         ",
	/* Row 13. */
	"  " RESET CELL(16, "0") CELL(131, "0") CELL(196, "0") CELL(172, "1")
	CELL(196, "1") CELL(172, "1") CELL(196, "0") CELL(172, "1")
	CELL(196, "1") CELL(172, "0") CELL(196, "0") CELL(172, "0")
	CELL(196, "0") CELL(172, "1") CELL(196, "1") CELL(196, "1")
	CELL(202, "0") CELL(203, "0") CELL(160, "1") CELL(196, "0")
	CELL(202, "1") CELL(167, "1") CELL(167, "0") CELL(167, "0")
	CELL(167, "1") CELL(52, "1") CELL(52, "1") CELL(52, "1") CELL(52, "1")
	CELL(52, "1") CELL(52, "0") CELL(52, "0") CELL(52, "1") CELL(52, "0")
	CELL(52, "1") CELL(52, "0") CELL(131, "1") CELL(16, "1") "           ",
	/* Row 14. */
	"   " RESET CELL(16, "0") CELL(130, "1") CELL(160, "1") CELL(196, "1")
	CELL(202, "0") CELL(203, "0") CELL(160, "0") CELL(196, "0")
	CELL(202, "0") CELL(203, "1") CELL(160, "1") CELL(196, "0")
	CELL(202, "1") CELL(203, "0") CELL(160, "1") CELL(196, "0")
	CELL(124, "1") CELL(124, "1") CELL(124, "1") CELL(124, "0")
	CELL(88, "0") CELL(88, "0") CELL(88, "1") CELL(88, "1") CELL(88, "1")
	CELL(88, "1") CELL(88, "0") CELL(88, "1") CELL(88, "1") CELL(88, "1")
	CELL(88, "1") CELL(88, "0") CELL(88, "1") CELL(130, "0") CELL(16, "1")
	"              ",
	/* Row 15. */
	"     " RESET CELL(16, "1") CELL(52, "1") CELL(160, "0") CELL(160, "0")
	CELL(160, "0") CELL(160, "1") CELL(160, "1") CELL(160, "1")
	CELL(160, "0") CELL(160, "1") CELL(160, "1") CELL(160, "0")
	CELL(160, "1") CELL(124, "1") CELL(124, "1") CELL(124, "0")
	CELL(124, "1") CELL(124, "0") CELL(124, "0") CELL(124, "1")
	CELL(124, "0") CELL(124, "0") CELL(124, "1") CELL(124, "1")
	CELL(124, "1") CELL(124, "0") CELL(124, "1") CELL(124, "1")
	CELL(124, "0") CELL(52, "1") CELL(16, "0"),
	/* Row 16. */
	"       " RESET CELL(16, "0") CELL(52, "0") CELL(52, "1") CELL(52, "1")
	CELL(52, "0") CELL(52, "1") CELL(52, "1") CELL(52, "0") CELL(52, "0")
	CELL(52, "0") CELL(52, "1") CELL(52, "1") CELL(52, "1") CELL(52, "1")
	CELL(52, "1") CELL(52, "1") CELL(52, "1") CELL(52, "1") CELL(52, "0")
	CELL(52, "1") CELL(52, "1") CELL(52, "1") CELL(52, "0") CELL(52, "0")
	CELL(52, "0") CELL(52, "0") CELL(16, "0"),
	/* Row 17. */
	"            " RESET CELL(16, "0") CELL(16, "0") CELL(16, "0")
	CELL(52, "0") CELL(52, "0") CELL(52, "1") CELL(52, "0") CELL(52, "1")
	CELL(58, "1") CELL(58, "0") CELL(58, "0") CELL(58, "0") CELL(58, "0")
	CELL(58, "0") CELL(52, "0") CELL(16, "0") CELL(16, "0"),
};
// clang-format on

#undef CELL
#undef RESET

#endif
