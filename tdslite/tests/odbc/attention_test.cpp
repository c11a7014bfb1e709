// A client that stops reading a large result part way: the driver cancels with an
// attention, and the connection goes on with the right answers.
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

namespace tdslite::odbctest {
namespace {

using ::testing::ElementsAre;

class AttentionTest : public TdsliteTest {};

TEST_F(AttentionTest, CancellingAHalfReadResultLeavesTheConnectionInStep) {
    createInitialisedScore();
    auto catalog = connect("score");
    std::string batch;
    for (int i = 0; i < 3000; ++i) {
        batch += "insert into wkinfo(swknums,swkname,swksex,swkjobnum) values(N'" +
                 std::to_string(1000 + i) + "',N'某人',0,N'002')\r\n";
    }
    run(*catalog, batch);
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(catalog->fetchOneRowThenCancel("select * from wkinfo\r\n"));
        auto jobs =
            run(*catalog, "select sJobNum from Jobs where sJobNum=N'002'\r\n").firstResultSet();
        EXPECT_THAT(column(jobs, 0), ElementsAre("002")) << "round " << round;
    }
}

} // namespace
} // namespace tdslite::odbctest
