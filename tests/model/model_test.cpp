#include <gtest/gtest.h>

#include "mfreport/mfreport.h"

namespace {

TEST(ReportIdentity, DefaultsAndArgumentOrder) {
    const mfReportClient none;
    EXPECT_EQ(none.name(), "<no name>");
    EXPECT_EQ(none.description(), "<no descr>");
    EXPECT_EQ(none.version(), "<no ver>");
    EXPECT_EQ(none.version_date(), "<no date>");

    const mfReportClient client("Prog", "Desc", "1.0", "2026-12-01");
    EXPECT_EQ(client.name(), "Prog");
    EXPECT_EQ(client.description(), "Desc");
    EXPECT_EQ(client.version(), "1.0");
    EXPECT_EQ(client.version_date(), "2026-12-01");

    const mfReportHeader empty;
    for (const std::string& field :
         {empty.model_name(), empty.model_description(), empty.model_filename(), empty.model_sign(),
          empty.model_date()}) {
        EXPECT_EQ(field, "");
    }
    mfReportHeader model("M", "D", "F", "S", "T");
    const mfReportHeader copy(model);
    model = mfReportHeader();
    EXPECT_EQ(copy.model_name() + copy.model_description() + copy.model_filename() +
                  copy.model_sign() + copy.model_date(),
              "MDFST");
}

TEST(TableColumn, DefaultsFollowTheType) {
    const mfTableColumn i("I", "int", mfTableColumn::INTEGER);
    const mfTableColumn r("R", "real", mfTableColumn::REAL);
    mfTableColumn s("S", "text", mfTableColumn::STRING);
    EXPECT_EQ(i.adjust(), mfTableColumn::RIGHT);
    EXPECT_EQ(r.adjust(), mfTableColumn::RIGHT);
    EXPECT_EQ(s.adjust(), mfTableColumn::LEFT);
    s.setType(mfTableColumn::REAL);
    EXPECT_EQ(s.type(), mfTableColumn::REAL);
    EXPECT_EQ(s.adjust(), mfTableColumn::LEFT);

    EXPECT_EQ(r.width(), 12U);
    EXPECT_EQ(r.decimals(), 4U);
    EXPECT_EQ(r.format_type(), mfTableColumn::GENERAL);
    EXPECT_EQ(r.unit(), "");
    EXPECT_EQ(r.displayValue(2.5), 2.5);
    EXPECT_EQ(r.backgroundColor(), "FFFFFF");
    EXPECT_EQ(r.header(), "R");
}

TEST(TableColumn, UnitsHeadTextAndWidths) {
    mfTableColumn c("Length", "Member length", mfTableColumn::REAL);
    c.setUnits("mm", 1000.0);
    EXPECT_EQ(c.header(), "Length [mm]");
    EXPECT_EQ(c.displayValue(2.5), 2500.0);
    c.setWidth(10, 3, mfTableColumn::FIXED);
    EXPECT_EQ(c.width(), 10U);
    EXPECT_EQ(c.decimals(), 3U);
    EXPECT_EQ(c.format_type(), mfTableColumn::FIXED);
    // Only the low 32 bits are kept, and come back widened with their sign.
    c.setWidth(0x100000005ULL, static_cast<size_t>(-1), mfTableColumn::SCIENTIFIC);
    EXPECT_EQ(c.width(), 5U);
    EXPECT_EQ(c.decimals(), static_cast<size_t>(-1));
    EXPECT_EQ(c.storedDecimals(), -1);
}

TEST(TableColumn, ModelConstructorCopiesAllButTheColour) {
    mfTableColumn model("F", "Force", mfTableColumn::REAL);
    model.setUnits("kN", 0.001);
    model.setWidth(9, 2, mfTableColumn::SCIENTIFIC);
    model.setAdjust(mfTableColumn::CENTER);
    model.setBackgroundColor("FF0000");
    const mfTableColumn c("V", "Shear", model);
    EXPECT_EQ(c.name(), "V");
    EXPECT_EQ(c.description(), "Shear");
    EXPECT_EQ(c.header(), "V [kN]");
    EXPECT_EQ(c.displayValue(1000.0), 1.0);
    EXPECT_EQ(c.width(), 9U);
    EXPECT_EQ(c.decimals(), 2U);
    EXPECT_EQ(c.format_type(), mfTableColumn::SCIENTIFIC);
    EXPECT_EQ(c.adjust(), mfTableColumn::CENTER);
    EXPECT_EQ(c.backgroundColor(), "FFFFFF");
    const mfTableColumn copy(model);
    EXPECT_EQ(copy.backgroundColor(), "FF0000");
}

TEST(TableColumn, OrderByNameAndDescription) {
    const mfTableColumn ax("A", "x", mfTableColumn::REAL);
    const mfTableColumn ay("A", "y", mfTableColumn::REAL);
    EXPECT_EQ(ax < ay, 1);
    EXPECT_EQ(ay < ax, 0);
    EXPECT_EQ(ax < ax, 0);
}

TEST(TableHeader, NotesAreAppendedInOrder) {
    mfTableHeader h("T1", "Forces", 2);
    h.addNote("n1");
    h.addNote("n2");
    h.addNote("n3");
    List<std::string> notes{"old1", "old2"};
    EXPECT_EQ(h.getNotes(notes), 5);
    EXPECT_EQ(notes, (List<std::string>{"old1", "old2", "n1", "n2", "n3"}));
    mfTableHeader copy(h);
    h.setDescription("Changed");
    EXPECT_EQ(copy.description(), "Forces");
    List<std::string> copied;
    EXPECT_EQ(copy.getNotes(copied), 3);
    EXPECT_EQ(copy.heading_level(), 2);
    EXPECT_EQ(h.description(), "Changed");
}

} // namespace
