// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/log_lines_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <filesystem>

#include "month/analysed_month_fixture.h"
#include "store/data_store.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::AnalysedMonth;
using testing::TempDir;

TEST(LogLinesModelTest, ABigListShowsAtOnceWithAllItsRowsAndIsReadOnFromTheEventLoop) {
    // A file hit on lines 0 to 299,999 of a log of 1,000 lines.
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    std::string log;
    for (int i = 0; i < 1000; ++i)
        log += "line " + std::to_string(i) + "\r\n";
    testing::WriteRaw(dir / LogFileName(AnalysedMonth::kKey), log);
    std::string list = "-";
    for (int n = 0; n < 300000; ++n)
        list += std::to_string(n) + "-";
    testing::WriteRaw(dir / ResultFileName(kFilesResult, AnalysedMonth::kKey),
                      "\\1;/big\\2;300000\\3;" + list + "\\4;1\\5;\r\n");
    MonthResults month;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, month);
    LogLineIndex index(month.logPath());
    ASSERT_TRUE(index.Update());

    LogLinesModel model;
    model.SetMissingTexts("beyond", "gone");
    LogLinesView view(&model);
    std::string copied;
    view.onCopy = [&](const std::string& number) { copied = number; };
    auto reader =
        std::make_unique<IdListReader>(month, ReadField(month.files.at(0), FileField::kLogLines));
    ASSERT_EQ(reader->knownEntries(), 300000);
    int done = 0;
    std::string error = "not called";
    model.StartLines(std::move(reader), 300000, LineNumbering::IndexPlusOne, &index, false,
                     [&](const std::string& e) {
                         ++done;
                         error = e;
                     });
    EXPECT_EQ(model.rowCount(), 300000);
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), "line 1");
    EXPECT_FALSE(model.data(model.index(299999, 0), Qt::DisplayRole).isValid());  // not yet read
    while (model.reading())
        QApplication::processEvents();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(error, "");
    EXPECT_EQ(model.rows().BeyondEnd(), 299000u);
    EXPECT_EQ(model.data(model.index(299999, 0), Qt::DisplayRole).toString(), "300000");
    EXPECT_EQ(model.data(model.index(299999, 1), Qt::DisplayRole).toString(), "beyond");

    // Ctrl+C copies the number of the row selected, wherever it is.
    view.setCurrentIndex(model.index(299999, 0));
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&view, &copy);
    EXPECT_EQ(copied, "300000");

    // The result file cut short while the list is read: the rows not read go,
    // and the end says why.
    model.StartLines(
        std::make_unique<IdListReader>(month, ReadField(month.files.at(0), FileField::kLogLines)),
        300000, LineNumbering::IndexPlusOne, &index, false,
        [&](const std::string& e) { error = e; });
    const std::string lfp = dir / ResultFileName(kFilesResult, AnalysedMonth::kKey);
    std::filesystem::resize_file(lfp, std::filesystem::file_size(lfp) / 2);
    while (model.reading())
        QApplication::processEvents();
    EXPECT_NE(error.find("shorter than when it was loaded"), std::string::npos) << error;
    EXPECT_GT(model.rowCount(), 0);
    EXPECT_LT(model.rowCount(), 300000);
}

}  // namespace
}  // namespace trafikon
