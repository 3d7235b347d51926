// The program's own allocation functions, on malloc and free. The library
// ones bring the exception machinery along (bad_alloc, the terminate
// handler's demangler): more than half of the exe for a program that throws
// nothing. Code that can go on without the memory uses new (std::nothrow)
// and checks; a plain new that finds no memory ends the process.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  std::abort();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
