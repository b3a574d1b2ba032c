# QAMP_SANITIZE=address,undefined builds everything with those sanitizers.
if(QAMP_SANITIZE)
  set(_qamp_sanitize_flags -fsanitize=${QAMP_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_options(${_qamp_sanitize_flags})
  add_link_options(${_qamp_sanitize_flags})
endif()
