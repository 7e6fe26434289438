#include "HeldDuplicateWork.h"

void HeldDuplicateWork::release() {
    hold.store(false);
    goOn.release(1 << 20);
}

void HeldDuplicateWork::BeforeReading() {
    if (hold.load()) {
        reached.release();
        goOn.acquire();
    }
}
