#include "orvenly/AutomationError.h"

#include <gtest/gtest.h>

using orvenly::AutomationError;
namespace errors = orvenly::errors;
using namespace Qt::StringLiterals;

TEST(AutomationError, EmptyDescriptionTakesTheStandardText) {
    EXPECT_EQ(AutomationError(errors::InvalidArgument).description(),
              u"Invalid procedure call or argument"_s);
    EXPECT_EQ(AutomationError(errors::ObjectNotSet).description(),
              u"Object variable or With block variable not set"_s);
    EXPECT_EQ(AutomationError(errors::DuplicateKey).description(),
              u"This key is already associated with an element of this collection"_s);
    EXPECT_EQ(AutomationError::standardDescription(errors::InvalidUseOfNull),
              u"Invalid use of Null"_s);
    EXPECT_EQ(AutomationError::standardDescription(errors::PathFileAccessError),
              u"Path/File access error"_s);
}

TEST(AutomationError, NumbersWithoutStandardTextAreObjectDefined) {
    const QString generic = QStringLiteral("Application-defined or object-defined error");
    EXPECT_EQ(AutomationError::standardDescription(errors::InvalidObject), generic);
    EXPECT_EQ(AutomationError::standardDescription(errors::ArchiveFirst), generic);
    EXPECT_EQ(AutomationError::standardDescription(12345), generic);
}

TEST(AutomationError, KeepsGivenDescriptionAndSource) {
    const AutomationError error(errors::InvalidObject, u"オブジェクトが無効です"_s, u"Archive"_s);
    EXPECT_EQ(error.number(), errors::InvalidObject);
    EXPECT_EQ(error.description(), u"オブジェクトが無効です"_s);
    EXPECT_EQ(error.source(), u"Archive"_s);
}

TEST(AutomationError, WhatCarriesNumberAndDescriptionInUtf8) {
    const AutomationError error(errors::PermissionDenied, u"書き込めません"_s);
    EXPECT_EQ(QString::fromUtf8(error.what()), u"error 70: 書き込めません"_s);
    EXPECT_STREQ(AutomationError(errors::Overflow).what(), "error 6: Overflow");
}

TEST(AutomationError, ObjectDefinedCodesShowInHexadecimal) {
    const AutomationError error(errors::ArchiveSecond, u"bad stream"_s);
    EXPECT_EQ(error.number(), int32_t(0x800403E9u));
    EXPECT_STREQ(error.what(), "error 0x800403E9: bad stream");
}
