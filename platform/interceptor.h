#pragma once

#include <functional>

// Where a test puts the replacement of a prompt or a desktop service that
// would otherwise wait for a person: empty until one is set. There is one per
// signature, and each seam's signature is its own through its request type.
template <typename Signature> std::function<Signature> &InterceptorFor()
{
    static std::function<Signature> interceptor;
    return interceptor;
}
