#pragma once

#include <memory>

#include <gio/gio.h>

namespace vorlix {

// Owning pointers for the GLib objects the backends hold for the length of one call or longer.
struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GVariantUnref {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GVariantPtr = std::unique_ptr<GVariant, GVariantUnref>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

}  // namespace vorlix
