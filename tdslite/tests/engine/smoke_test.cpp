#include "engine_fixture.h"

namespace tdslite::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST_F(EngineTest, InitialisedDatabaseAnswersTheJobList) {
    initialiseScore();
    BatchResult result = ok("select * from Jobs");
    ASSERT_EQ(result.statements.size(), 1u);
    EXPECT_EQ(columnNames(result.statements[0]), (std::vector<std::string>{"sJobNum", "sJobName"}));
    EXPECT_EQ(cells(result.statements[0]),
              (Rows{{"001", "收银员"}, {"002", "网管"}, {"003", "技术员"}}));
    EXPECT_EQ(result.statements[0].rowCount, 3);
}

} // namespace
} // namespace tdslite::testing
