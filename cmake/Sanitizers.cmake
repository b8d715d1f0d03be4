# SPINEWISE_SANITIZE=address|undefined|thread|address,undefined applies to every target.
if(SPINEWISE_SANITIZE)
  set(_flags -fsanitize=${SPINEWISE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_options(${_flags})
  add_link_options(${_flags})
endif()
