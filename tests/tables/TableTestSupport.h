#pragma once

#include "tables/WorkTable.h"
#include "tests/support/DbfBytes.h"
#include "tests/support/ErrorText.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
