#include "platform/error.h"

#include <gtest/gtest.h>

TEST(Error, CarriesTheUserTextInBothForms)
{
    const bralvo::Error e(QString::fromUtf8("Chyba v čísle"));
    EXPECT_EQ(e.userText(), QString::fromUtf8("Chyba v čísle"));
    EXPECT_STREQ(e.what(), "Chyba v čísle");
}
