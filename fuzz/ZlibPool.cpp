// Working memory for zlib's streams, kept from run to run.
//
// The zip library opens a deflate stream for every member it packs and an
// inflate stream for every member it unpacks, and zlib asks for its windows and
// tables afresh each time: for deflate at the library's memory level, two
// blocks of 128 KB. Under AddressSanitizer a block that large is mapped on
// allocation and unmapped on release, so every member cost page faults and
// TLB flushes, several times the packing itself. zlib is not instrumented, so
// fresh blocks find nothing in it; handing it back its own blocks instead makes
// a save several times cheaper. The streams' own use is unchanged.
//
// The two initialisers below take the place of zlib's (the program reaches
// them through the zip library); they fill in the pool's allocator when the
// caller left the default and go on to zlib's own.

#include <zlib.h>

#include <dlfcn.h>
#include <sanitizer/lsan_interface.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Block {
    void* memory = nullptr;
    std::size_t size = 0;
    bool inUse = false;
};

// A handful of blocks at most: one stream is open at a time.
std::vector<Block>& blocks() {
    static std::vector<Block> all;
    return all;
}

voidpf poolAlloc(voidpf, uInt items, uInt size) {
    const std::size_t bytes = std::size_t(items) * size;
    for (Block& block : blocks()) {
        if (!block.inUse && block.size == bytes) {
            block.inUse = true;
            return block.memory;
        }
    }
    void* memory = std::malloc(bytes);
    if (memory != nullptr) {
        // Kept for the life of the process, on purpose.
        __lsan_ignore_object(memory);
        blocks().push_back(Block{memory, bytes, true});
    }
    return memory;
}

void poolFree(voidpf, voidpf memory) {
    for (Block& block : blocks()) {
        if (block.memory == memory) {
            block.inUse = false;
            return;
        }
    }
    std::fprintf(stderr, "zlib pool: a block that was never handed out\n");
    std::abort();
}

template <typename Fn>
Fn zlibOwn(const char* name) {
    void* own = dlsym(RTLD_NEXT, name);
    if (own == nullptr) {
        std::fprintf(stderr, "zlib pool: no %s in zlib\n", name);
        std::abort();
    }
    return reinterpret_cast<Fn>(own);
}

void usePool(z_streamp stream) {
    if (stream != nullptr && stream->zalloc == Z_NULL && stream->zfree == Z_NULL) {
        stream->zalloc = poolAlloc;
        stream->zfree = poolFree;
    }
}

} // namespace

extern "C" int deflateInit2_(z_streamp stream, int level, int method, int windowBits, int memLevel,
                             int strategy, const char* version, int streamSize) {
    using Init = int (*)(z_streamp, int, int, int, int, int, const char*, int);
    static const Init own = zlibOwn<Init>("deflateInit2_");
    usePool(stream);
    return own(stream, level, method, windowBits, memLevel, strategy, version, streamSize);
}

extern "C" int inflateInit2_(z_streamp stream, int windowBits, const char* version,
                             int streamSize) {
    using Init = int (*)(z_streamp, int, const char*, int);
    static const Init own = zlibOwn<Init>("inflateInit2_");
    usePool(stream);
    return own(stream, windowBits, version, streamSize);
}
