#include "ChildProgram.h"
#include "TempTree.h"
#include "TestBackend.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (const auto code = ChildProgram::run(argc, argv))
        return *code;
    TempTree::setLinkRemover(TestBackend::removeLinksBelow);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
