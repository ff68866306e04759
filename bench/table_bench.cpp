// Streaming speed of the table writers: records of one integer, three reals
// and a text cell, written to a file.

#include <cstdio>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "mfreport/mfreport.h"

namespace {

std::string benchFile(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/mfreport-bench-" + name;
}

void streamRecords(benchmark::State& state, mfDevice::ReportType type, const char* name) {
    const std::string path = benchFile(name);
    const mfReportClient client("Bench", "Benchmark", "1.0", "06-DEC-2026");
    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(client, path, type, mfReportHeader("M", "Model", "", "", "")));
    if (!device) {
        state.SkipWithError("device kind not available");
        return;
    }
    std::unique_ptr<mfTable> table(device->addTable(mfTableHeader("NODES", "Nodes", 1)));
    mfTableColumn x("X", "X coordinate", mfTableColumn::REAL);
    x.setUnits("mm", 1000.0);
    x.setWidth(12, 3, mfTableColumn::FIXED);
    mfTableColumn e("E", "Energy", mfTableColumn::REAL);
    e.setWidth(12, 4, mfTableColumn::SCIENTIFIC);
    table->addColumn(mfTableColumn("Node", "Node number", mfTableColumn::INTEGER));
    table->addColumn(x);
    table->addColumn(mfTableColumn("Y", "Y coordinate", x));
    table->addColumn(e);
    table->addColumn(mfTableColumn("Label", "Label", mfTableColumn::STRING));
    table->begin_table();
    const std::string label = "support";
    int record = 0;
    for (auto _ : state) {
        table->begin_record();
        table->insertValue(0, record);
        table->insertValue(1, record * 0.25);
        table->insertValue(2, -record * 0.125);
        table->insertValue(3, 1.0 / (record + 1));
        table->insertValue(4, label);
        table->end_record();
        ++record;
    }
    table->end_table();
    table.reset();
    device.reset();
    state.SetItemsProcessed(state.iterations());
    std::remove(path.c_str());
}

void BM_HtmlRecords(benchmark::State& state) {
    streamRecords(state, mfDevice::HTML, "t.html");
}
BENCHMARK(BM_HtmlRecords);

void BM_XmlSSRecords(benchmark::State& state) {
    streamRecords(state, mfDevice::XML_SS, "t.xml");
}
BENCHMARK(BM_XmlSSRecords);

void BM_XmlWPRecords(benchmark::State& state) {
    streamRecords(state, mfDevice::XML_WP, "d.xml");
}
BENCHMARK(BM_XmlWPRecords);

} // namespace
