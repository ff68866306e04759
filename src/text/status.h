// Status codes of the channel routines and the table formatter; 0 is success.
#pragma once

#include <cstdint>

namespace mfreport::text {

enum FormatterStatus : int32_t {
    kOk = 0,
    kTableExists = -1,    ///< define table: the name is taken (its number is returned)
    kNoLayoutPlace = -2,  ///< the column has no place in the record layout (yet)
    kTooManyChannels = 1, ///< define channel: 5 channels defined already
    kNoSuchChannel = 2,   ///< no channel of that number
    kTooManyExtraLines = 3,
    kBadTableName = 4, ///< empty or longer than 10 characters
    kBadTableAttribute = 5,
    kBlankTableName = 6,
    kNoTableDefined = 8,    ///< no table is being defined
    kNotTableDefined = 17,  ///< the table given is not the one being defined
    kBadFormatCode = 26,    ///< not I, F, E, A, DF or DE
    kColumnsOpen = 28,      ///< column definition open already (or still)
    kColumnsDefined = 29,   ///< the table has its column definition already
    kBadIntegerWidth = 31,  ///< outside 1 to 20
    kBadRealWidth = 33,     ///< F: 3 to 20, E: 7 to 20; negative decimals
    kBadTextWidth = 34,     ///< outside 1 to 72
    kColumnsNotOpen = 35,   ///< column definition not open (or not complete)
    kLevelTooLow = 38,      ///< level below 1
    kLevelTooHigh = 39,     ///< level above the table's levels
    kColumnTooHigh = 40,    ///< column number above 36
    kColumnTooLow = 41,     ///< column number below 1
    kColumnRepeated = 42,   ///< column number below the next in sequence
    kColumnSkipped = 43,    ///< column number above the next in sequence
    kNoSuchColumn = 45,     ///< the column is not defined
    kNameTooLong = 47,      ///< column name longer than 60 characters
    kTextTooLong = 53,      ///< column description longer than 1310 characters
    kBadChannelKind = 62,   ///< channel kind outside 0 to 2
    kFixedTooNarrow = 67,   ///< fixed width not greater than decimals + 1
    kNoTableToSetUp = 88,   ///< set up table: no table of that name
    kChannelNotFound = 89,  ///< no channel of that name; no channel to set up on
    kBlankChannelName = 92, ///< blank channel name
    kLongChannelName = 93,  ///< channel name longer than 10 characters
    kChannelExists = 95,    ///< define channel: the name is taken (its number is returned)
    kNoActiveTable = 101,   ///< no active table with that number
    kWrongKind = 107,       ///< the column is not of the value's kind
    kOpenFailed = 116,      ///< the channel's file could not be created
    kBlankFileName = 117,
    kScreenChannel = 118, ///< a screen channel has no file
    kCloseFailed = 119,   ///< closing the channel's unit failed
    kFileFailed = 120,    ///< a write to the channel's file has failed
    kNoTableToEnd = 121,  ///< end table: no table of that name
};

} // namespace mfreport::text
