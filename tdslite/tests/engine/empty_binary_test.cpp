// 0x is an empty value, which SQL Server keeps apart from NULL.
#include "engine_fixture.h"

namespace tdslite::testing {
namespace {

TEST_F(EngineTest, AnEmptyBinaryValueIsStoredAsEmptyNotNull) {
    initialiseScore();
    ok("insert into WkInfo values(N'1',N'a',0,N'001',0x)");
    EXPECT_EQ(ok("select * from WkInfo where WkPhoto is null").statements.at(0).rowCount, 0);
    const BatchResult read = ok("select WkPhoto from WkInfo");
    ASSERT_EQ(read.statements.at(0).rows.size(), 1u);
    const Value& photo = read.statements.at(0).rows[0][0];
    ASSERT_TRUE(std::holds_alternative<Bytes>(photo));
    EXPECT_TRUE(std::get<Bytes>(photo).empty());
}

} // namespace
} // namespace tdslite::testing
