#pragma once

#include <memory>
#include <proj.h>
#include <string>

namespace korvane {

// Owners of PROJ's objects: each is destroyed with PROJ's own function, and must go before the
// context it was made in.
struct ProjObjectDestroy {
    void operator()(PJ* object) const noexcept { proj_destroy(object); }
};
using ProjObject = std::unique_ptr<PJ, ProjObjectDestroy>;

struct ProjListDestroy {
    void operator()(PJ_OBJ_LIST* list) const noexcept { proj_list_destroy(list); }
};
using ProjObjectList = std::unique_ptr<PJ_OBJ_LIST, ProjListDestroy>;

struct ProjFactoryDestroy {
    void operator()(PJ_OPERATION_FACTORY_CONTEXT* factory) const noexcept {
        proj_operation_factory_context_destroy(factory);
    }
};
using ProjOperationFactory = std::unique_ptr<PJ_OPERATION_FACTORY_CONTEXT, ProjFactoryDestroy>;

// The name PROJ gives the object, and its authority and code ("EPSG:4230"); empty where it has
// none.
std::string NameOf(const PJ* object);
std::string CodeOf(const PJ* object);

// One PROJ context: what PROJ's objects made in it share, and which no two threads may use at
// once. Network access is off whatever PROJ_NETWORK says, so that results depend only on the
// grids installed. PROJ's error messages are kept here rather than written to standard error: the
// caller decides what to show. Neither copied nor moved, as PROJ holds its address.
class ProjContext {
  public:
    // Throws DatumFailure when PROJ cannot make a context.
    ProjContext();
    ProjContext(const ProjContext&) = delete;
    ProjContext& operator=(const ProjContext&) = delete;

    PJ_CONTEXT* Get() const { return context_.get(); }

    // The last error PROJ logged in this context, or an empty text.
    const std::string& LastLoggedError() const { return lastError_; }

    // PROJ's text for its error number.
    std::string ErrorText(int error) const;

  private:
    struct ContextDestroy {
        void operator()(PJ_CONTEXT* context) const noexcept { proj_context_destroy(context); }
    };

    std::string lastError_; // where PROJ's logger writes, until the context is gone
    std::unique_ptr<PJ_CONTEXT, ContextDestroy> context_;
};

} // namespace korvane
