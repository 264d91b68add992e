#include "data/fbconexao.h"

#include <gtest/gtest.h>

TEST(ScriptSplitter, HandlesCommentsQuotesAndTerminatorChanges)
{
    const QString script =
        "-- a comment; with a semicolon\n"
        "CREATE TABLE T (A VARCHAR(10));\n"
        "INSERT INTO T VALUES ('x;y''z'); /* block; comment */\n"
        "COMMIT;\n"
        "SET TERM ^ ;\n"
        "CREATE TRIGGER TR FOR T AFTER DELETE AS\nBEGIN\n  DELETE FROM U WHERE A = OLD.A;\nEND^\n"
        "SET TERM ; ^\n"
        "CREATE INDEX I ON T (A);\n";
    const QStringList c = DivideScriptSql(script);
    ASSERT_EQ(c.size(), 4);
    EXPECT_EQ(c[0], QString("CREATE TABLE T (A VARCHAR(10))"));
    EXPECT_EQ(c[1], QString("INSERT INTO T VALUES ('x;y''z')"));
    EXPECT_TRUE(c[2].startsWith("CREATE TRIGGER TR"));
    EXPECT_TRUE(c[2].contains("OLD.A;\nEND"));
    EXPECT_EQ(c[3], QString("CREATE INDEX I ON T (A)"));
}
