// Keeps the support library non-empty until its pieces land.
namespace ostrivan_test_support {
int Anchor() { return 0; }
}  // namespace ostrivan_test_support
