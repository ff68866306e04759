// The table formatter PRIMAX: tables of fixed-width text columns on the
// channel last looked up by name, one record buffer per table, records
// written through PRTNEW and PRTLIN. Routines report through `status`
// (FormatterStatus; 0 = success) and leave the state unchanged at a failing
// step. Tables are defined in this order: PTDTAB, PTTITL, PTOCOL, per column
// PTDCOL (and PTSWID), PTCCOL, PTCHEK, PTSETU.
#pragma once

#include <cstdint>
#include <string_view>

namespace mfreport::text {

/// Defines a table of that name (1 to 10 characters) with attribute 1 to 4
/// and makes it the table being defined. Attributes 3 and 4 repeat the table
/// heading at the page breaks of records, 1 and 2 do not. With 5 tables
/// active the next slot in cyclic order is taken and its table ended first.
void PTDTAB(std::string_view name, int32_t attribute, int32_t& table, int32_t& status);

/// Sets the table's title, shown in the sub heading: wrapped at blanks into
/// at most 5 lines of 77 characters ("..." ends a title cut short). A blank
/// title shows the table name.
void PTTITL(int32_t table, std::string_view title, int32_t& status);

/// Opens the column definition of the table being defined (level 1).
void PTOCOL(int32_t table, int32_t& status);

/// Defines the next column: name (at most 60 characters), description (at
/// most 1310, kept in pieces of 131) and format code I, F, E, A, DF or DE.
void PTDCOL(int32_t table, int32_t level, int32_t column, std::string_view name,
            std::string_view description, std::string_view code, int32_t& status);

/// Sets the value field width of a defined column (I: 1 to 20; F, DF: 3 to
/// 20 and above decimals + 1; E, DE: 7 to 20; A: 1 to 72) and the decimals of
/// a real column. Without it the table's default field of the kind applies.
void PTSWID(int32_t table, int32_t level, int32_t column, int32_t width, int32_t decimals,
            int32_t& status);

/// Closes the column definition.
void PTCCOL(int32_t table, int32_t& status);

/// Checks the closed definition; the table is then no longer being defined.
void PTCHEK(int32_t table, int32_t& status);

/// Sets the checked table up on the current channel: lays its columns out,
/// sets the page manager's unit, page, program heading, sub heading and
/// table heading, and creates the channel's file with its banner page when
/// it is not open yet.
void PTSETU(std::string_view name, int32_t& status);

/// Puts a value into the column's field of the table's record buffer:
/// integers right-justified, reals as Fw.d or kPEw.dEe, texts left-justified
/// and cut to the field (an all-blank text puts nothing). A value that does
/// not fit fills the field with asterisks. Reals keep double precision.
/// An integer put first starts a new page when the record would leave fewer
/// than two lines free below it.
void PTPUTI(int32_t table, int32_t level, int32_t column, int32_t value, int32_t& status);
void PTPUTR(int32_t table, int32_t level, int32_t column, double value, int32_t& status);
void PTPUTA(int32_t table, int32_t level, int32_t column, std::string_view text, int32_t& status);

/// Writes the record buffer as the table's record lines, which never split
/// across pages, and blanks it. The first record starts a new page (with the
/// column legend above the table heading).
void PTWREC(int32_t table, int32_t& status);

/// Ends the table of that name and releases its slot, fields, names and texts.
void PTENDT(std::string_view name, int32_t& status);

/// Number of the active table of that name; 0 when there is none.
int32_t tableNumber(std::string_view name);

/// True when the table is active on a channel whose file has failed a write.
bool tableFileFailed(int32_t table);

/// Writes what the file of the table's channel holds in its buffer.
void flushTable(int32_t table);

} // namespace mfreport::text
