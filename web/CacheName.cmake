# Writes the service worker (SOURCE to OUTPUT) with its cache named by the
# version and a digest of FILES: "orbilux-VERSION-DIGEST".
set(joined "")
foreach(file ${FILES})
  file(SHA256 ${file} digest)
  string(APPEND joined "${digest}\n")
endforeach()
string(SHA256 digest "${joined}")
string(SUBSTRING ${digest} 0 16 digest)
set(CACHE_NAME "orbilux-${VERSION}-${digest}")
configure_file(${SOURCE} ${OUTPUT} @ONLY)
