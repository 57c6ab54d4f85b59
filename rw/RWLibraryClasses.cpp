#include "rw/RWLibraryClasses.h"

#include "rw/RWBTree.h"
#include "rw/RWBTreeDictionary.h"
#include "rw/RWCollectableAssociation.h"
#include "rw/RWCollectableIDAssociation.h"
#include "rw/RWFactory.h"
#include "rw/RWHashTable.h"
#include "rw/RWIdentitySet.h"
#include "rw/RWSet.h"
#include "rw/RWSlistCollectables.h"
#include "rw/RWSlistCollectablesStack.h"

void RWRegisterLibraryClasses() {
    // One line per class: RWAddToFactory(create function, class id, "Name").
    RWAddToFactory(&RWCreateRWCollectable, __RWCOLLECTABLE, "RWCollectable");
    RWAddToFactory(&RWSlistCollectables::CreateInstance, __RWSLISTCOLLECTABLES, "RWSlistCollectables");
    RWAddToFactory(&RWSlistCollectablesStack::CreateInstance, __RWSLISTCOLLECTABLESSTACK,
                   "RWSlistCollectablesStack");
    RWAddToFactory(&RWHashTable::CreateInstance, __RWHASHTABLE, "RWHashTable");
    RWAddToFactory(&RWSet::CreateInstance, __RWSET, "RWSet");
    RWAddToFactory(&RWIdentitySet::CreateInstance, __RWIDENTITYSET, "RWIdentitySet");
    RWAddToFactory(&RWBTree::CreateInstance, __RWBTREE, "RWBTree");
    RWAddToFactory(&RWBTreeDictionary::CreateInstance, __RWBTREEDICTIONARY, "RWBTreeDictionary");
    RWAddToFactory(&RWCollectableAssociation::CreateInstance, __RWCOLLECTABLEASSOCIATION,
                   "RWCollectableAssociation");
    RWAddToFactory(&RWCollectableIDAssociation::CreateInstance, __RWCOLLECTABLEIDASSOCIATION,
                   "RWCollectableIDAssociation");
}
