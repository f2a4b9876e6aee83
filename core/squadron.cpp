// Filled in by the window that needs it.
namespace veq {}
