#include "app/single_instance.h"

namespace app {

SingleInstance::SingleInstance() {
    mutex_.Reset(::CreateMutexA(nullptr, FALSE, kSingleInstanceMutex));
    alreadyExisted_ = mutex_.Valid() && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace app
