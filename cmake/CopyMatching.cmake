# cmake -DFROM=<folder> -DTO=<folder> -DPATTERN=<glob> -P CopyMatching.cmake: copies the matching files, if any.
file(GLOB matching ${FROM}/${PATTERN})
if(matching)
  file(COPY ${matching} DESTINATION ${TO})
endif()
