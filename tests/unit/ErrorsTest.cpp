#include <gtest/gtest.h>

#include "zelkor.h"

TEST(Errors, CheckFunctionsThrowOnlyOnFailure) {
    EXPECT_THROW(XError::Check(0), XError);
    EXPECT_EQ(5, XError::Check(5));
    EXPECT_EQ(-1, XError::Check(-1));

    EXPECT_EQ(0, XOleError::Check(0));
    EXPECT_EQ(1, XOleError::Check(1));
    try {
        XOleError::Check(-2147467259L);
        FAIL() << "no exception";
    } catch (const XOleError& error) {
        EXPECT_EQ(-2147467259L, error.m_result);
    }

    EXPECT_EQ(0u, XWinError::Check(0));
    try {
        XWinError::Check(ERROR_ACCESS_DENIED);
        FAIL() << "no exception";
    } catch (const XError&) {
        // Caught as the base class, as the host's operations do.
    }
}
